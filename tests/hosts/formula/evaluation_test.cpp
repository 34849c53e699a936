// Formulas against a few cells: precedence, coercion, empty cells and errors as spreadsheet
// programs give them.
#include <gtest/gtest.h>

#include "hosts/formula/formula_support.h"

namespace plovis {
namespace {

struct Case {
    const char* formula;
    const char* expected;
};

class Evaluation : public ::testing::TestWithParam<Case> {};

// A1 2, A2 "3" (text), A3 empty, A4 TRUE, A5 "abc", A6 #DIV/0!, B1:B3 1 2 4, C1 " 1,250 ",
// D1 "Ōmūta".
MemoryWorkbook& book() {
    static MemoryWorkbook wb;
    if (wb.sheetCount() == 0) {
        MemoryWorksheet& s = wb.addSheet("Data");
        wb.addSheet("Other Sheet").load(1, 1, 10.0);
        s.load(1, 1, 2.0);
        s.load(2, 1, std::string("3"));
        s.load(4, 1, std::string("TRUE"), CellKind::Boolean);
        s.load(5, 1, std::string("abc"));
        s.load(6, 1, std::string("#DIV/0!"), CellKind::Error);
        for (int r = 1; r <= 3; ++r)
            s.load(r, 2, static_cast<double>(1 << (r - 1)));
        s.load(1, 3, std::string(" 1,250 "));
        s.load(1, 4, std::string("Ōmūta"));
        wb.setDefinedNames({{"Rate", -1, "Data!$B$3"}, {"Twice", -1, "2*Data!$A$1"}});
    }
    return wb;
}

TEST_P(Evaluation, GivesWhatASpreadsheetProgramGives) {
    MemoryWorksheet& s = book().sheet("Data");
    s.setFormula(20, 5, GetParam().formula, CellValue{});
    EXPECT_EQ(test::describe(s, 20, 5), GetParam().expected) << GetParam().formula;
}

INSTANTIATE_TEST_SUITE_P(
    Operators, Evaluation,
    ::testing::Values(Case{"-2^2", "n:4"}, Case{"2^3^2", "n:64"}, Case{"-A1^2", "n:4"},
                      Case{"2^-1", "n:0.5"}, Case{"1+2*3", "n:7"}, Case{"(1+2)*3", "n:9"},
                      Case{"50%", "n:0.5"}, Case{"2^50%*4", "n:5.65685424949238"},
                      Case{"1&2+3", "s:15"}, Case{"1+2=3", "b:TRUE"}, Case{"\"a\"<\"B\"", "b:TRUE"},
                      Case{"\"ÀBŌ\"=\"àbō\"", "b:TRUE"}, Case{"1<\"1\"", "b:TRUE"},
                      Case{"\"z\"<TRUE", "b:TRUE"}, Case{"A3=0", "b:TRUE"},
                      Case{"A3=\"\"", "b:TRUE"}, Case{"1<>1", "b:FALSE"},
                      Case{"0.1+0.2&\"\"", "s:0.3"}, Case{"1/0", "e:#DIV/0!"}, Case{"0^0", "n:1"},
                      Case{"(-8)^(1/3)", "e:#NUM!"}, Case{"1E308*10", "e:#NUM!"}));

INSTANTIATE_TEST_SUITE_P(
    Coercion, Evaluation,
    ::testing::Values(Case{"A1+A2", "n:5"}, Case{"A3", "n:0"}, Case{"A3&\"x\"", "s:x"},
                      Case{"A4+1", "n:2"}, Case{"A5+1", "e:#VALUE!"}, Case{"C1*1", "n:1250"},
                      Case{"\"\"+1", "e:#VALUE!"}, Case{"\"12%\"*1", "n:0.12"},
                      Case{"SUM(A1:A5)", "n:2"}, Case{"SUM(\"3\",TRUE,A1)", "n:6"},
                      Case{"SUM(A5)", "n:0"}, Case{"COUNT(A1:A6)", "n:1"},
                      Case{"COUNTA(A1:A6)", "n:5"}, Case{"LEN(A1*1.5)", "n:1"},
                      Case{"IF(\"TRUE\",1,2)", "n:1"}, Case{"IF(A5,1,2)", "e:#VALUE!"},
                      Case{"B1:B3*2", "e:#VALUE!"}, Case{"'Other Sheet'!A1+Data!A1", "n:12"},
                      Case{"Missing!A1", "e:#REF!"}, Case{"Rate*Twice", "n:16"},
                      Case{"SUM(B:B)", "n:7"}, Case{"SUM(1:1)", "n:3"},
                      Case{"5.6789012345E-8&\"\"", "s:0.000000056789012345"},
                      Case{"5.67890123456E-8&\"\"", "s:5.67890123456E-08"}));

INSTANTIATE_TEST_SUITE_P(
    Errors, Evaluation,
    ::testing::Values(Case{"A6+1", "e:#DIV/0!"}, Case{"A5+A6", "e:#VALUE!"},
                      Case{"SUM(A1:A6)", "e:#DIV/0!"}, Case{"IFERROR(A6,\"none\")", "s:none"},
                      Case{"ISERROR(A6)", "b:TRUE"}, Case{"IF(TRUE,1,A6)", "n:1"},
                      Case{"NA()", "e:#N/A"}, Case{"SQRT(-1)", "e:#NUM!"},
                      Case{"MOD(5,0)", "e:#DIV/0!"}, Case{"AVERAGE(A5)", "e:#DIV/0!"},
                      Case{"VLOOKUP(9,B1:B3,1,FALSE)", "e:#N/A"}, Case{"INDEX(B1:B3,4)", "e:#REF!"},
                      Case{"NoSuchName", "e:#NAME?"}, Case{"CHOOSE(3,1,2)", "e:#VALUE!"},
                      Case{"#N/A", "e:#N/A"}));

INSTANTIATE_TEST_SUITE_P(
    Functions, Evaluation,
    ::testing::Values(
        Case{"ROUND(2.675,2)", "n:2.68"}, Case{"ROUND(-2.5,0)", "n:-3"},
        Case{"ROUNDUP(-1.21,1)", "n:-1.3"}, Case{"ROUNDDOWN(1.29,1)", "n:1.2"},
        Case{"ROUND(1234,-2)", "n:1200"}, Case{"TRUNC(-1.7)", "n:-1"}, Case{"INT(-1.5)", "n:-2"},
        Case{"MOD(-3,2)", "n:1"}, Case{"CEILING(2.5,2)", "n:4"}, Case{"FLOOR(-2.5,2)", "n:-4"},
        Case{"SIGN(-0.5)", "n:-1"}, Case{"LOG(8,2)", "n:3"},
        Case{"ATAN2(1,1)*4", "n:3.14159265358979"}, Case{"SUMPRODUCT(B1:B3,B1:B3)", "n:21"},
        Case{"SUMPRODUCT((B1:B3>1)*B1:B3)", "n:6"}, Case{"SUMIF(B1:B3,\">1\")", "n:6"},
        Case{"COUNTIF(A1:A6,\"a*\")", "n:1"}, Case{"COUNTIF(A1:A6,\"?b~*\")", "n:0"},
        Case{"COUNTIF(A1:A6,\"*B?\")", "n:1"}, Case{"COUNTIF(D1,\"?MŪ?A\")", "n:1"},
        Case{"PRODUCT(B1:B3)", "n:8"}, Case{"MAX(B1:B3,-1)", "n:4"}, Case{"MIN(A5)", "n:0"},
        Case{"VLOOKUP(3,B1:C3,1)", "n:2"}, Case{"MATCH(4,B1:B3,0)", "n:3"},
        Case{"INDEX(A1:B3,3,2)", "n:4"}, Case{"HLOOKUP(2,A1:B2,2,FALSE)", "s:3"},
        Case{"AND(A4,1)", "b:TRUE"}, Case{"OR(A3:A3)", "e:#VALUE!"}, Case{"NOT(0)", "b:TRUE"},
        Case{"MID(\"pipeline\",5,3)", "s:lin"}, Case{"LEFT(\"Ä b\",2)", "s:Ä "},
        Case{"RIGHT(\"abc\",5)", "s:abc"}, Case{"TRIM(\"  a   b \")", "s:a b"},
        Case{"UPPER(\"aāςжÿ\")&LOWER(\"CĀΣЖŸ\")", "s:AĀΣЖŸcāσжÿ"}, Case{"VALUE(\"1e3\")", "n:1000"},
        Case{"CONCATENATE(\"R\",1.5,TRUE)", "s:R1.5TRUE"},
        Case{"TEXT(1234.567,\"#,##0.00\")", "s:1,234.57"}, Case{"TEXT(0.256,\"0.0%\")", "s:25.6%"},
        Case{"TEXT(-5,\"$0\")", "s:-$5"}, Case{"TEXT(12345,\"0.00E+00\")", "s:1.23E+04"},
        Case{"TEXT(0.5,\"#.00\")", "s:.50"}, Case{"ISBLANK(A3)", "b:TRUE"},
        Case{"ISTEXT(A2)", "b:TRUE"}, Case{"ISNUMBER(A2)", "b:FALSE"}));

}  // namespace
}  // namespace plovis
