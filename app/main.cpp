#include "app/CVeskaPlayerApp.h"

int main(int argc, char** argv) {
    return CVeskaPlayerApp().Run(argc, argv);
}
