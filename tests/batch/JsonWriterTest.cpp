#include "batch/JsonWriter.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <string>

namespace qv {
namespace {

std::string written(JsonWriter::Layout layout, const std::function<void(JsonWriter&)>& write)
{
    std::string out;
    JsonWriter json(layout, [&out](std::string_view text) { out += text; });
    write(json);
    json.finish();
    return out;
}

std::string qtText(const QJsonObject& object, QJsonDocument::JsonFormat format)
{
    return QJsonDocument(object).toJson(format).toStdString();
}

// What the reports were always written as: Qt's JSON text of the same document.
TEST(JsonWriter, WritesNestedDocumentsExactlyAsQtsJsonTextInBothLayouts)
{
    const QJsonObject expected{
        {"a", QJsonArray{1, 2.5, QJsonArray{}, QJsonObject{}, QJsonObject{{"x", true}}}},
        {"b", QJsonObject{}},
        {"c", QJsonValue()},
        {"d", QString::fromUtf8("quote \" back \\ slash / tab \t cr \r nl \n ctl \x01 \x1f "
                                "bell \b ff \f del \x7f caf\u00e9 \u2028")},
        {"e", false},
        {"f", QJsonArray{}}};
    const auto write = [](JsonWriter& json) {
        json.beginObject();
        json.key("a");
        json.beginArray();
        json.number(1);
        json.number(2.5);
        json.beginArray();
        json.endArray();
        json.beginObject();
        json.endObject();
        json.beginObject();
        json.key("x");
        json.boolean(true);
        json.endObject();
        json.endArray();
        json.key("b");
        json.beginObject();
        json.endObject();
        json.key("c");
        json.null();
        json.key("d");
        json.string("quote \" back \\ slash / tab \t cr \r nl \n ctl \x01 \x1f bell \b ff \f "
                    "del \x7f caf\xc3\xa9 \xe2\x80\xa8");
        json.key("e");
        json.boolean(false);
        json.key("f");
        json.beginArray();
        json.endArray();
        json.endObject();
    };
    EXPECT_EQ(written(JsonWriter::Layout::Indented, write),
              qtText(expected, QJsonDocument::Indented));
    EXPECT_EQ(written(JsonWriter::Layout::Compact, write),
              qtText(expected, QJsonDocument::Compact));
}

TEST(JsonWriter, WritesBytesThatAreNotUtf8AsTheReplacementCharacter)
{
    const std::string out = written(JsonWriter::Layout::Compact, [](JsonWriter& json) {
        json.beginArray();
        json.string("caf\xe9 ok");
        json.endArray();
    });
    EXPECT_EQ(out, "[\"caf\xef\xbf\xbd ok\"]");
}

// Every shape of number: integers up to 2^53 and beyond, the switch between
// plain and exponent notation, the smallest and largest doubles.
TEST(JsonWriter, WritesEveryNumberAsQtsJsonTextDoes)
{
    const double listed[] = {0.0, -0.0, 1, -1, 100000, 1e6, 1234567, 1e15, 9007199254740992.0,
                             1e16, 1.5e17, 123456789012345678.0, 1e20, 1852591797385472500000.0,
                             0.1, 0.001, 1e-4, 0.00012345, 1e-5, 1.5e-5, 5e-324,
                             std::numeric_limits<double>::max(), -316824787059478760000.0};
    std::vector<double> values(std::begin(listed), std::end(listed));
    std::mt19937_64 random(11);
    for (int i = 0; i < 20000; ++i) {
        std::uint64_t bits = random();
        double v = 0;
        std::memcpy(&v, &bits, sizeof v);
        if (std::isfinite(v)) {
            values.push_back(v);
        }
        values.push_back(static_cast<double>(random() % 100000000) *
                         std::pow(10.0, static_cast<int>(random() % 50) - 25));
    }
    for (double v : values) {
        QJsonArray array{v};
        std::string qt = QJsonDocument(array).toJson(QJsonDocument::Compact).toStdString();
        qt = qt.substr(1, qt.size() - 2);
        ASSERT_EQ(JsonWriter::numberText(v), qt) << "for " << v;
    }
    EXPECT_EQ(JsonWriter::numberText(std::nan("")), "null");
    EXPECT_EQ(JsonWriter::numberText(-std::numeric_limits<double>::infinity()), "null");
}

TEST(JsonWriter, HandsALongDocumentToTheSinkInWholePieces)
{
    std::vector<std::size_t> pieces;
    std::string out;
    JsonWriter json(JsonWriter::Layout::Compact, [&](std::string_view text) {
        pieces.push_back(text.size());
        out += text;
    });
    json.beginArray();
    for (int i = 0; i < 100000; ++i) {
        json.string("\xc3\xa9t\xc3\xa9");
    }
    json.endArray();
    json.finish();
    EXPECT_GT(pieces.size(), 5u);
    EXPECT_EQ(out.size(), 2 + 100000 * 7 + 99999); // "été" is 5 bytes, 7 quoted
    EXPECT_EQ(QJsonDocument::fromJson(QByteArray::fromStdString(out)).array().size(), 100000);
}

TEST(JsonWriter, WritesANumberArrayAsItsElementsOneByOneInEitherLayoutAndLength)
{
    std::mt19937_64 random(11);
    std::uniform_real_distribution<double> spread(-1e6, 1e6);
    for (const auto layout : {JsonWriter::Layout::Indented, JsonWriter::Layout::Compact}) {
        // Empty, short, and long enough to be written on two threads (odd, so
        // the halves differ), inside an object as the reports nest them.
        for (const std::size_t count : {0u, 1u, 7u, 20001u}) {
            SCOPED_TRACE(count);
            // Runs of equal numbers, as sorted measurements of few digits
            // have; a zero beside a negative zero, and a repeated NaN.
            std::vector<double> values(count);
            for (std::size_t i = 0; i < count; ++i) {
                values[i] = i % 5 == 4 ? values[i - 1] : spread(random) / 1024.0;
            }
            if (count == 7) {
                values = {0.0, -0.0, -0.0, 0.0, std::nan(""), std::nan(""), 1e-7};
            }
            const auto byOne = written(layout, [&](JsonWriter& json) {
                json.beginObject();
                json.key("a");
                json.beginArray();
                for (const double v : values) {
                    json.number(v);
                }
                json.endArray();
                json.key("b");
                json.beginArray();
                for (std::size_t i = 0; i < count; ++i) {
                    json.integer(-static_cast<std::int64_t>(i));
                }
                json.endArray();
                json.endObject();
            });
            const auto asArrays = written(layout, [&](JsonWriter& json) {
                json.beginObject();
                json.key("a");
                json.numberArray(count, [&](std::size_t i) { return values[i]; });
                json.key("b");
                json.integerArray(count, [](std::size_t i) { return -static_cast<std::int64_t>(i); });
                json.endObject();
            });
            EXPECT_EQ(asArrays, byOne);
        }
    }
}

} // namespace
} // namespace qv
