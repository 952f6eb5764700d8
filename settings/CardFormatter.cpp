#include "settings/CardFormatter.h"

CardFormatter::~CardFormatter() = default;
