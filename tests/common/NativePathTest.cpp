#include "common/NativePath.h"

#include <QFile>
#include <QTemporaryDir>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

TEST(NativePath, EveryByteStringComesBackWhole) {
    const QByteArray names[] = {
        "20240105_101010_NOR.MP4",
        "\xE9.MP4",                         // Latin-1
        "caf\xC3\xA9 \xF0\x9F\x9A\x97.AVI", // UTF-8, a character beyond 16 bits included
        "\xC3",                             // a sequence cut short
        "\xC0\xAF \xE0\x80\xAF",            // overlong forms
        "\xED\xA0\x80\xED\xB3\xA9",         // surrogates written as UTF-8
        "\xF4\x90\x80\x80 \xFF\xFE\x80",    // beyond U+10FFFF, bytes no UTF-8 has
        "\xF0\x9F\x9A\x97\xE9",             // a pair whose low half is not a kept byte
        "X\xEF\xBB\xBF.AVI",                // U+FEFF, which Qt's UCS-4 conversion drops
        "\xEF\xBB\xBFX.AVI",                // U+FEFF first, which Qt's UTF-8 conversion drops
        QByteArray::fromBase64("sQAAAO+7v+2zv+1Siu2zig=="), // found by the fuzzer
    };
    for (const QByteArray& name : names) {
        const QString path = PathFromNative(name);
        EXPECT_EQ(NativePath(path), name) << name.toHex().constData();
        EXPECT_FALSE(DisplayName(path).contains(QChar(0xDCE9)));
    }
    EXPECT_EQ(PathFromNative("caf\xC3\xA9"), QString::fromUtf8("caf\xC3\xA9"));
    EXPECT_EQ(DisplayName(PathFromNative("\xE9.MP4")), QString::fromUtf8("\xEF\xBF\xBD.MP4"));
    EXPECT_EQ(DisplayName(PathFromNative("\xF0\x9F\x9A\x97")),
              QString::fromUtf8("\xF0\x9F\x9A\x97"));
}

TEST(NativePath, OpensTheFileItNames) {
    const QTemporaryDir folder;
    const QByteArray name = QFile::encodeName(folder.path()) + "/\xE9.gps";
    const int descriptor = ::open(name.constData(), O_WRONLY | O_CREAT, 0644);
    ASSERT_GE(descriptor, 0);
    ASSERT_EQ(::write(descriptor, "kept", 4), 4);
    ::close(descriptor);

    const QString path = PathFromNative(name);
    EXPECT_TRUE(IsNativeFile(path));
    EXPECT_FALSE(IsNativeFile(DisplayName(path)));
    EXPECT_FALSE(IsNativeFile(folder.path()));
    QFile file;
    ASSERT_TRUE(OpenNativeForReading(file, path));
    EXPECT_EQ(file.readAll(), QByteArray("kept"));
    QFile missing;
    EXPECT_FALSE(OpenNativeForReading(missing, DisplayName(path)));
}

} // namespace
