// Test entry point. Numbers are locale-free: the tests run under a comma-decimal
// locale and a non-UTC time zone to prove it.
#include <clocale>
#include <cstdlib>
#include <gtest/gtest.h>
#include <locale>

#ifdef QT_GUI_LIB
#include <QApplication>
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
    setenv("TZ", "America/Sao_Paulo", 1);
    std::setlocale(LC_ALL, "de_DE.UTF-8");
    std::locale::global(std::locale(std::locale::classic(), new CommaDecimal));
    ::testing::InitGoogleTest(&argc, argv);
#ifdef QT_GUI_LIB
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
#endif
    return RUN_ALL_TESTS();
}
