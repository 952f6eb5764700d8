#include "app/Language.h"
#include "app/cli/CliCommand.h"
#include "resources/StringTable.h"

namespace {

int ToNumber(const QString& text) {
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok)
        throw UsageError{};
    return value;
}

int PrintString(const QStringList& argsIn) {
    QStringList args = argsIn;
    ExpectPositional(args, 2);
    const int language = ToNumber(args[0]);
    if (language != StringTable::English && language != StringTable::Japanese &&
        language != StringTable::Korean && language != StringTable::Russian)
        throw UsageError{};
    PrintLine(StringTable::Lookup(quint16(language), ToNumber(args[1])));
    return 0;
}

int PrintLanguage(const QStringList& argsIn) {
    QStringList args = argsIn;
    const QString locale = TakeOption(args, QStringLiteral("--system"), QLocale::system().name());
    ExpectPositional(args, 1);
    PrintLine(QString::number(ChooseUILanguage(args[0], QLocale(locale))));
    return 0;
}

} // namespace

const CliCommand StringCliCommands[] = {
    {"strings", "strings LANG ID", PrintString},
    {"language", "language VALUE [--system LOCALE]", PrintLanguage},
};
const int StringCliCommandCount = std::size(StringCliCommands);
