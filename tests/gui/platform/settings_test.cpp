#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <QUuid>

#include "platform/settings.h"

namespace {

class SettingsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    RedirectSettings(dir.filePath("settings.ini"));
  }
  void TearDown() override { RedirectSettings(QString()); }
  QTemporaryDir dir;
};

TEST_F(SettingsTest, ValuesSurviveReopening) {
  {
    auto s = OpenSettings();
    s->beginGroup(kWebBrowsersGroup);
    s->setValue("SelectedBrowserNumber", -1);
    s->setValue("SpecifiedBrowserExePath", "/opt/my browser/run");
    s->endGroup();
  }
  auto s = OpenSettings();
  EXPECT_TRUE(GroupExists(*s, kWebBrowsersGroup));
  EXPECT_FALSE(GroupExists(*s, kSettingsGroup));
  s->beginGroup(kWebBrowsersGroup);
  EXPECT_EQ(ReadInt(*s, "SelectedBrowserNumber"), -1);
  EXPECT_EQ(s->value("SpecifiedBrowserExePath").toString(), "/opt/my browser/run");
  EXPECT_EQ(ReadInt(*s, "Missing"), std::nullopt);
  EXPECT_FALSE(KeyExists(*s, "Missing"));
}

TEST_F(SettingsTest, ReadingCreatesNothing) {
  auto s = OpenSettings();
  EXPECT_FALSE(GroupExists(*s, kWebBrowsersGroup));
  ReadShowTempletsDialog(*s);
  s->sync();
  EXPECT_FALSE(QFileInfo::exists(dir.filePath("settings.ini")));
}

TEST_F(SettingsTest, ShowTempletsDialogRules) {
  struct Case {
    const char* stored;  // nullptr = value missing
    bool expected;
  };
  const Case cases[] = {{nullptr, true}, {"1", true}, {"0", false}, {"7", true}, {"yes", false}, {"", false}};
  for (const Case& c : cases) {
    QFile::remove(dir.filePath("settings.ini"));
    {
      auto s = OpenSettings();
      if (c.stored) s->setValue(QStringLiteral("Settings/ShowTempletsDialog"), QString::fromLatin1(c.stored));
    }
    auto s = OpenSettings();
    EXPECT_EQ(ReadShowTempletsDialog(*s), c.expected) << (c.stored ? c.stored : "(missing)");
  }
}

TEST_F(SettingsTest, ShowTempletsDialogRoundTrip) {
  for (bool show : {false, true}) {
    WriteShowTempletsDialog(*OpenSettings(), show);
    auto s = OpenSettings();
    EXPECT_EQ(ReadInt(*s, "Settings/ShowTempletsDialog"), show ? 1 : 0);
    EXPECT_EQ(ReadShowTempletsDialog(*s), show);
  }
}

}  // namespace

namespace {

TEST(SettingsReadInt, ConvertsOnlyWholeNumbers) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  QSettings s(dir.filePath("n.ini"), QSettings::IniFormat);
  struct Case {
    const char* stored;
    std::optional<int> expected;
  };
  const Case cases[] = {{"0", 0},          {"-1", -1},          {" 42 ", 42},           {"4294967295", -1},
                        {"12abc", std::nullopt}, {"", std::nullopt}, {"1.5", std::nullopt}, {"99999999999", std::nullopt}};
  for (const Case& c : cases) {
    s.setValue("v", QString::fromLatin1(c.stored));
    EXPECT_EQ(ReadInt(s, "v"), c.expected) << c.stored;
  }
}

}  // namespace

#ifdef Q_OS_WIN
namespace {

// The registry keeps a value's type: a number stored as text is not the
// setting. A key of the tests' own under the current user, removed after.
TEST(RegistrySettingsTest, ShowTempletsDialogCountsOnlyANumber) {
  const QString parent = QStringLiteral("HKEY_CURRENT_USER\\Software\\KVD\\JavaScript Lumeroll Tests");
  const QString name = QUuid::createUuid().toString(QUuid::WithoutBraces);
  const QString key = parent + u'\\' + name;
  struct Case {
    QVariant stored;  // invalid: no value
    bool expected;
  };
  const Case cases[] = {{QVariant(), true}, {QVariant(1), true},           {QVariant(0), false},
                        {QVariant(7), true}, {QVariant(QStringLiteral("1")), false}};
  for (const Case& c : cases) {
    {
      QSettings s(key, QSettings::NativeFormat);
      s.remove(QString());
      if (c.stored.isValid()) s.setValue(QStringLiteral("Settings/ShowTempletsDialog"), c.stored);
    }
    QSettings s(key, QSettings::NativeFormat);
    EXPECT_EQ(ReadShowTempletsDialog(s), c.expected) << c.stored.toString().toStdString();
  }
  QSettings(parent, QSettings::NativeFormat).remove(name);
  QSettings kvd(QStringLiteral("HKEY_CURRENT_USER\\Software\\KVD"), QSettings::NativeFormat);
  if (kvd.childGroups().contains(QStringLiteral("JavaScript Lumeroll Tests")) &&
      QSettings(parent, QSettings::NativeFormat).allKeys().isEmpty())
    kvd.remove(QStringLiteral("JavaScript Lumeroll Tests"));
}

}  // namespace
#endif
