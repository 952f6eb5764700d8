#include "settings/SettingsFile.h"

#include "common/DecimalFraction.h"
#include "common/DecimalText.h"
#include "settings/SettingsKeys.h"

#include <climits>

namespace {

int TruncatedFraction(const char* begin, const char* end) {
    const double value = ReadDecimalFraction(begin, end);
    if (value >= double(INT_MAX))
        return INT_MAX;
    return value <= double(INT_MIN) ? INT_MIN : int(value);
}

bool Compared(KeyRule rule) {
    return rule != KeyRule::PasswordFlag && rule != KeyRule::DeviceText &&
           rule != KeyRule::UpdateFlag;
}

template <typename... Visitors> struct Overloaded : Visitors... { using Visitors::operator()...; };
// Clang 14 does not deduce an aggregate's arguments by itself.
template <typename... Visitors> Overloaded(Visitors...) -> Overloaded<Visitors...>;

} // namespace

void ParseSettingLine(std::string_view line, SettingsRecord& record) {
    const size_t equals = line.find('=');
    if (equals == std::string_view::npos || equals == 0)
        return;
    const SettingKey* key = FindSettingKey(line.substr(0, equals));
    if (!key)
        return;
    const char* value = line.data() + equals + 1;
    const char* end = line.data() + line.size();
    std::visit(
        Overloaded{
            [&](QString SettingsRecord::*text) {
                record.*text = QString::fromLatin1(value, end - value);
            },
            [&](int SettingsRecord::*number) {
                record.*number = key->rule == KeyRule::ReadAsFraction
                                     ? TruncatedFraction(value, end)
                                     : ReadDecimalInt(value, end);
            },
            [&](double SettingsRecord::*volts) { record.*volts = ReadDecimalFraction(value, end); },
        },
        key->field);
}

int RecordsDiffer(const SettingsRecord& collected, const SettingsRecord& reference) {
    for (const SettingKey& key : SettingsKeys()) {
        if (!Compared(key.rule))
            continue;
        const bool differ = std::visit(
            Overloaded{
                [&](QString SettingsRecord::*text) { return collected.*text != reference.*text; },
                [&](int SettingsRecord::*number) { return collected.*number != reference.*number; },
                [&](double SettingsRecord::*volts) {
                    return VoltageText(collected.*volts) != VoltageText(reference.*volts);
                },
            },
            key.field);
        if (differ)
            return 1;
    }
    return 0;
}
