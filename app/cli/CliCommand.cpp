#include "app/cli/CliCommand.h"

#include "common/NativePath.h"

#include <cstdio>

namespace {
QString cardOption;
}

const QString& CardOption() {
    return cardOption;
}

void SetCardOption(const QString& path) {
    cardOption = path;
}

void PrintLine(const QString& text) {
    const QByteArray bytes = NativePath(text) + '\n';
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
}

void PrintError(const QString& text) {
    const QByteArray bytes = NativePath(text) + '\n';
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
}

QString TakeOption(QStringList& args, const QString& name, const QString& fallback) {
    const qsizetype at = args.indexOf(name);
    if (at < 0)
        return fallback;
    if (at + 1 >= args.size())
        throw UsageError{};
    const QString value = args.at(at + 1);
    args.remove(at, 2);
    return value;
}

bool TakeFlag(QStringList& args, const QString& name) {
    return args.removeAll(name) > 0;
}

void ExpectPositional(const QStringList& args, qsizetype count) {
    if (args.size() != count)
        throw UsageError{};
    for (const QString& arg : args)
        if (arg.startsWith(QStringLiteral("--")))
            throw UsageError{};
}
