// Test entry point. Numbers are locale-free: the tests run under a comma-decimal
// locale and a non-UTC time zone to prove it.
#include <clocale>
#include <cstdlib>
#include <gtest/gtest.h>
#include <locale>

#if defined(QT_WIDGETS_LIB)
#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>
using TestApp = QApplication;
#elif defined(QT_GUI_LIB)
#include <QGuiApplication>
using TestApp = QGuiApplication;
#endif

namespace {
struct CommaDecimal : std::numpunct<char>
{
    char do_decimal_point() const override { return ','; }
    char do_thousands_sep() const override { return '.'; }
    std::string do_grouping() const override { return "\3"; }
};
} // namespace

int main(int argc, char** argv)
{
#if defined(_WIN32)
    _putenv_s("TZ", "BRT3");
    std::setlocale(LC_ALL, "de-DE");
#else
    setenv("TZ", "America/Sao_Paulo", 1);
    std::setlocale(LC_ALL, "de_DE.UTF-8");
#endif
    std::locale::global(std::locale(std::locale::classic(), new CommaDecimal));
    ::testing::InitGoogleTest(&argc, argv);
#if defined(QT_WIDGETS_LIB) || defined(QT_GUI_LIB)
    qputenv("QT_QPA_PLATFORM", "offscreen");
    TestApp app(argc, argv);
#endif
#if defined(QT_WIDGETS_LIB)
    // What the window remembers between runs goes to a folder of the tests, never the user's.
    const QTemporaryDir userSettings;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, userSettings.path());
#endif
    return RUN_ALL_TESTS();
}
