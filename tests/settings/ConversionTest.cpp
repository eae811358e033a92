// The typed readers: every text in the store or an INI file is converted by a
// type code, the store leniently, INI files strictly.
#include "foundation/Errors.h"
#include "foundation/SettingsStore.h"
#include "support/ScriptedUi.h"

#include <QFile>
#include <QMetaType>
#include <gtest/gtest.h>
#include <optional>

namespace {

struct Expect {
    QVariant value;          // invalid: an empty value
    std::optional<int> error;  // error number raised instead
};
Expect Value(const QVariant& v) { return {v, std::nullopt}; }
Expect Error(int n) { return {QVariant(), n}; }

struct Case {
    const char* text;
    int type;
    Expect expect;
};

void Check(const std::function<QVariant()>& read, const Case& c) {
    SCOPED_TRACE(testing::Message() << "text \"" << c.text << "\" type " << c.type);
    if (c.expect.error) {
        try {
            read();
            ADD_FAILURE() << "no error raised";
        } catch (const SvError& e) {
            EXPECT_EQ(e.number(), *c.expect.error);
        }
        return;
    }
    const QVariant got = read();
    if (!c.expect.value.isValid()) {
        EXPECT_FALSE(got.isValid()) << got.toString().toStdString();
        return;
    }
    EXPECT_EQ(got.typeId(), c.expect.value.typeId()) << got.typeName();
    EXPECT_EQ(got, c.expect.value) << got.toString().toStdString();
}

const Case kStoreCases[] = {
    // rounding half to even, lenient reading
    {"7.5", SettingType::Integer, Value(8)},
    {"6.5", SettingType::Integer, Value(6)},
    {"-2.5", SettingType::Integer, Value(-2)},
    {"2.5", SettingType::Long, Value(2)},
    {"3.5", SettingType::Long, Value(4)},
    {"a", SettingType::Integer, Value(0)},
    {"", SettingType::Long, Value(0)},
    {"12abc", SettingType::Long, Value(12)},
    {"12e", SettingType::Long, Value(12)},
    {" 1 2\t3\n4", SettingType::Long, Value(1234)},
    {"1\r2", SettingType::Long, Value(1)},
    {"1.2.3", SettingType::Double, Value(1.2)},
    {".5", SettingType::Double, Value(0.5)},
    {"-1e3", SettingType::Double, Value(-1000.0)},
    {"2D2", SettingType::Double, Value(200.0)},
    {"1e-400", SettingType::Double, Value(0.0)},
    {"1e400", SettingType::Double, Error(ErrNo::Overflow)},
    {"--5", SettingType::Long, Value(0)},
    // hexadecimal and octal forms
    {"&HFFFF", SettingType::Integer, Value(-1)},
    {"&hffff", SettingType::Long, Value(-1)},
    {"&H00C00000", SettingType::Long, Value(12582912)},
    {"&H80000008", SettingType::Long, Value(-2147483640)},
    {"&H10000", SettingType::Long, Value(65536)},
    {"&HFFG", SettingType::Long, Value(255)},
    {"&H", SettingType::Long, Value(0)},
    {"&O17", SettingType::Integer, Value(15)},
    {"&o177777", SettingType::Integer, Value(-1)},
    {"&H123456789", SettingType::Long, Error(ErrNo::Overflow)},
    // ranges
    {"32767.4", SettingType::Integer, Value(32767)},
    {"32767.5", SettingType::Integer, Error(ErrNo::Overflow)},
    {"-32768.5", SettingType::Integer, Value(-32768)},
    {"2147483648", SettingType::Long, Error(ErrNo::Overflow)},
    {"255.4", SettingType::Byte, Value(255)},
    {"256", SettingType::Byte, Error(ErrNo::Overflow)},
    {"-1", SettingType::Byte, Error(ErrNo::Overflow)},
    {"&HFFFF", SettingType::Byte, Error(ErrNo::Overflow)},
    {"0.1", SettingType::Single, Value(static_cast<double>(0.1f))},
    {"1e39", SettingType::Single, Error(ErrNo::Overflow)},
    {"1.23456", SettingType::Currency, Value(1.2346)},
    {"1e19", SettingType::Currency, Error(ErrNo::Overflow)},
    {"42.5", SettingType::Decimal, Value(42.5)},
    {"1e29", SettingType::Decimal, Error(ErrNo::Overflow)},
    // the strict 16-bit code
    {" 7.5 ", SettingType::StrictInteger, Value(8)},
    {"a", SettingType::StrictInteger, Error(ErrNo::TypeMismatch)},
    {"12abc", SettingType::StrictInteger, Error(ErrNo::TypeMismatch)},
    {"&HFF", SettingType::StrictInteger, Value(255)},
    {"40000", SettingType::StrictInteger, Error(ErrNo::Overflow)},
    // Booleans
    {"True", SettingType::Boolean, Value(true)},
    {"fALSE", SettingType::Boolean, Value(false)},
    {"1", SettingType::Boolean, Value(true)},
    {"-1", SettingType::Boolean, Value(true)},
    {"0", SettingType::Boolean, Value(false)},
    {"0.5", SettingType::Boolean, Value(true)},
    {"yes", SettingType::Boolean, Error(ErrNo::TypeMismatch)},
    {"", SettingType::Boolean, Error(ErrNo::TypeMismatch)},
    // texts and unknown codes
    {"  x %20", SettingType::String, Value(QStringLiteral("  x %20"))},
    {"", SettingType::String, Value(QString())},
    {"5", 7, Value(QVariant())},
    {"5", 9, Value(QVariant())},
    {"5", 0, Value(QVariant())},
};

const Case kIniCases[] = {
    {"7.5", SettingType::Integer, Value(8)},
    {"6.5", SettingType::Long, Value(6)},
    {"42", SettingType::Byte, Value(42)},
    {"-3", SettingType::Long, Value(-3)},
    {"+3", SettingType::Long, Value(3)},
    {"1e3", SettingType::Double, Value(1000.0)},
    {"&HFF", SettingType::Long, Value(255)},
    {"&H00C00000", SettingType::Long, Value(12582912)},
    {"&HFFFF", SettingType::Integer, Value(-1)},
    {"abc", SettingType::Integer, Error(ErrNo::TypeMismatch)},
    {"12abc", SettingType::Long, Error(ErrNo::TypeMismatch)},
    {"1.2.3", SettingType::Double, Error(ErrNo::TypeMismatch)},
    {"&HFG", SettingType::Long, Error(ErrNo::TypeMismatch)},
    {"&H", SettingType::Long, Error(ErrNo::TypeMismatch)},
    {"", SettingType::Single, Error(ErrNo::TypeMismatch)},
    {"1 2", SettingType::Long, Error(ErrNo::TypeMismatch)},
    {"70000", SettingType::Integer, Error(ErrNo::Overflow)},
    {"300", SettingType::Byte, Error(ErrNo::Overflow)},
    {"1.5", SettingType::Single, Value(1.5)},
    {"2.71828", SettingType::Currency, Value(2.7183)},
    {"True", SettingType::Boolean, Value(true)},
    {"false", SettingType::Boolean, Value(false)},
    {"0", SettingType::Boolean, Value(false)},
    {"x", SettingType::Boolean, Error(ErrNo::TypeMismatch)},
    {"%20abc%20", SettingType::String, Value(QStringLiteral(" abc "))},
    {"%20%20", SettingType::String, Value(QStringLiteral("  "))},
    {"a%20b", SettingType::String, Value(QStringLiteral("a%20b"))},
    {"5", 99, Value(QVariant())},
};

class Conversion : public testing::Test {
protected:
    TempHome home;
};

}  // namespace

TEST_F(Conversion, StoreColumnForStoredTextsAndDefaults) {
    int n = 0;
    for (const Case& c : kStoreCases) {
        const QString key = QStringLiteral("K%1").arg(n++);
        const QString text = QString::fromUtf8(c.text);
        SaveOptionSetting(QStringLiteral("Types"), key, text, SettingType::String);
        Check([&] { return GetOptionSetting(QStringLiteral("Types"), key, QStringLiteral("99"), c.type); }, c);
        // A missing key converts the default text the same way.
        Check([&] { return GetOptionSetting(QStringLiteral("Types"), QStringLiteral("Missing"), text, c.type); }, c);
    }
}

TEST_F(Conversion, IniColumn) {
    const QString ini = home.file(QStringLiteral("conv.ini"));
    QByteArray content = "[Values]\r\n";
    int n = 0;
    for (const Case& c : kIniCases) content += "K" + QByteArray::number(n++) + "=" + c.text + "\r\n";
    QFile f(ini);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(content);
    f.close();
    n = 0;
    for (const Case& c : kIniCases) {
        const QString key = QStringLiteral("K%1").arg(n++);
        Check([&] { return LoadFromIni(QStringLiteral("Values"), key, QStringLiteral("99"), c.type, ini, false); }, c);
    }
}

TEST_F(Conversion, ErrorCarriesTheCallSite) {
    try {
        GetOptionSetting(QStringLiteral("Sec"), QStringLiteral("Key"), QStringLiteral("x"), SettingType::StrictInteger);
        FAIL() << "no error";
    } catch (const SvError& e) {
        EXPECT_EQ(e.number(), ErrNo::TypeMismatch);
        EXPECT_TRUE(e.description().endsWith(QStringLiteral("|GetOptionSetting;Sec;Key;x;36")))
            << e.description().toStdString();
    }
}

TEST_F(Conversion, StoredTextOfValues) {
    struct {
        QVariant value;
        const char* stored;
    } cases[] = {
        {true, "True"},          {false, "False"},          {42, "42"},
        {-7, "-7"},              {2.5, "2.5"},              {0.1, "0.1"},
        {1e20, "1e+20"},         {-0.0, "0"},               {QVariant(1.1f), "1.1"},
        {qint64(1) << 40, "1099511627776"},                 {QStringLiteral("text"), "text"},
        {QVariant(), ""},
    };
    for (const auto& c : cases) {
        SaveOptionSetting(QStringLiteral("S"), QStringLiteral("K"), c.value, SettingType::String);
        EXPECT_EQ(GetOptionSetting(QStringLiteral("S"), QStringLiteral("K"), QString(), SettingType::String).toString(),
                  QString::fromUtf8(c.stored));
    }
    // The stored text does not depend on the type code given with it.
    SaveOptionSetting(QStringLiteral("S"), QStringLiteral("K"), true, SettingType::Integer);
    EXPECT_EQ(GetOptionSetting(QStringLiteral("S"), QStringLiteral("K"), QString(), SettingType::String).toString(),
              QStringLiteral("True"));
}
