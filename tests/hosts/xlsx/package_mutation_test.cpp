// Thousands of damaged workbooks, made by mutating small valid ones: each is read or refused with
// a HostError, never a crash; each one read is saved and reads back (package_exercise aborts
// otherwise). scripts/fuzz-xlsx runs the same exercise under libFuzzer for longer.
#include <gtest/gtest.h>

#include <random>

#include "fuzz/package_exercise.h"
#include "package_support.h"

namespace plovis::xlsx {
namespace {

const std::string kMain = "xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"";

// Workbook part, sheet and shared strings, as packageFromInput() splits them.
std::vector<std::string> seeds() {
    const std::string book =
        "<workbook " + kMain +
        " xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/"
        "relationships\"><bookViews><workbookView activeTab=\"0\"/></bookViews><sheets><sheet "
        "name=\"S\" sheetId=\"1\" r:id=\"rId1\"/></sheets><calcPr calcMode=\"manual\"/></workbook>";
    const std::string strings =
        "<sst " + kMain + "><si><t>a</t></si><si><r><t>b</t></r><rPh><t>c</t></rPh></si></sst>";
    const std::vector<std::string> sheets = {
        "<worksheet " + kMain +
            "><dimension ref=\"A1:C3\"/><sheetViews><sheetView><selection "
            "sqref=\"B2:B4\"/></sheetView></sheetViews><cols><col min=\"1\" max=\"2\" style=\"1\"/>"
            "</cols><sheetData><row r=\"1\" spans=\"1:3\"><c r=\"A1\" t=\"s\"><v>1</v></c><c "
            "r=\"B1\">"
            "<f t=\"shared\" ref=\"B1:B3\" si=\"0\">A1*2</f><v>2</v></c></row><row r=\"2\"><c "
            "r=\"B2\">"
            "<f t=\"shared\" si=\"0\"/><v>4</v></c><c r=\"C2\" "
            "t=\"inlineStr\"><is><t>x&amp;y</t></is>"
            "</c></row><row r=\"3\" s=\"2\" customFormat=\"1\"/></sheetData></worksheet>",
        "<x:worksheet xmlns:x=\"m\"><x:sheetData><x:row><x:c><x:v>1</x:v></x:c><x:c t=\"b\">"
        "<x:v>0</x:v></x:c></x:row><x:row r=\"5\"><x:c r=\"C5\" t=\"d\"><x:v>2024-01-02</x:v>"
        "</x:c></x:row></x:sheetData></x:worksheet>",
        "<worksheet " + kMain +
            "><sheetData/><mergeCells><mergeCell ref=\"A1:B2\"/></mergeCells>"
            "</worksheet>",
    };
    std::vector<std::string> out;
    for (const auto& sheet : sheets)
        out.push_back(book + "\n--\n" + sheet + "\n--\n" + strings);
    return out;
}

std::string mutated(std::string text, std::mt19937& random) {
    static const std::string alphabet = "<>/=\"'&;#x:!?-[] 0123456789ABrcvtfsi";
    const int edits = 1 + static_cast<int>(random() % 4);
    for (int k = 0; k < edits && !text.empty(); ++k) {
        const std::size_t at = random() % text.size();
        const std::size_t length = std::min<std::size_t>(1 + random() % 12, text.size() - at);
        switch (random() % 4) {
            case 0:
                text[at] = alphabet[random() % alphabet.size()];
                break;
            case 1:
                text.erase(at, length);
                break;
            case 2:
                text.insert(at, text.substr(random() % text.size(), length));
                break;
            default:
                text.insert(at, 1, alphabet[random() % alphabet.size()]);
        }
    }
    return text;
}

TEST(PackageMutation, EveryDamagedWorkbookIsReadOrRefusedNeverACrash) {
    std::mt19937 random(20240315);
    int read = 0, refused = 0;
    const auto inputs = seeds();
    for (const auto& seed : inputs)
        ASSERT_TRUE(exercisePackage(packageFromInput(seed)));
    for (int i = 0; i < 3000; ++i) {
        const std::string input = mutated(inputs[i % inputs.size()], random);
        (exercisePackage(packageFromInput(input)) ? read : refused) += 1;
    }
    // Both outcomes are well represented, so the mutations reach past the first check.
    EXPECT_GT(read, 300);
    EXPECT_GT(refused, 300);
}

TEST(PackageMutation, DamagedZipArchives) {
    std::mt19937 random(7);
    const std::string package = packageFromInput(seeds()[0]);
    for (int i = 0; i < 500; ++i) {
        std::string bytes = package;
        for (int k = 0; k < 4; ++k)
            bytes[random() % bytes.size()] = static_cast<char>(random());
        exercisePackage(bytes);  // read or refused; a crash or an abort fails the test
    }
}

}  // namespace
}  // namespace plovis::xlsx
