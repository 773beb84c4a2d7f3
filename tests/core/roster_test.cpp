#include "results/roster.h"

#include <gtest/gtest.h>

namespace {

using namespace std::string_literals;

struct RosterCase {
    const char* label;
    std::string bytes;
    std::string students; // "id|name|class|number" a student, ';'-joined; or the failure's words
};

void PrintTo(const RosterCase& c, std::ostream* os)
{
    *os << c.label;
}

class RosterRead : public testing::TestWithParam<RosterCase> { };

TEST_P(RosterRead, ReadsWhatExcelAndPeopleWrite)
{
    const Result<Roster> roster = Roster::Parse(GetParam().bytes, "class.csv");
    if (!roster) {
        EXPECT_NE(roster.message().find(GetParam().students), std::string::npos) << roster.message();
        EXPECT_NE(roster.message().find("class.csv"), std::string::npos) << roster.message();
        return;
    }
    std::string students;
    for (const RosterStudent& s : roster->Students())
        students += std::to_string(s.id) + "|" + s.name + "|" + s.className + "|" + s.number + ";";
    EXPECT_EQ(students, GetParam().students);
}

INSTANTIATE_TEST_SUITE_P(Cases, RosterRead,
    testing::Values(
        RosterCase { "comma", "id,name\n00012345,สมชาย ใจดี\n2,Ann\n", "12345|สมชาย ใจดี||;2|Ann||;" },
        RosterCase { "bom_semicolon_crlf_any_order",
            "\xEF\xBB\xBFNumber;Class;Name;ID;note\r\n7;ม.3/1;\"Lee; Bo\";00000042;x\r\n\r\n",
            "42|Lee; Bo|ม.3/1|7;" },
        RosterCase { "quoted_quote_and_line_end", "id,name\n1,\"A \"\"B\"\"\nC\"\n", "1|A \"B\" C||;" },
        RosterCase { "trailing_spaces_short_row", "id , name ,class\n 5 , Kim \n", "5|Kim||;" },
        RosterCase { "no_name_column", "id,student\n1,Ann\n", "ไม่มีคอลัมน์ \"name\"" },
        RosterCase { "id_too_long", "id,name\n1,A\n123456789,B\n", "บรรทัดที่ 3: รหัส \"123456789\"" },
        RosterCase { "id_with_letter", "id,name\n12a4,A\n", "บรรทัดที่ 2: รหัส \"12a4\"" },
        RosterCase { "id_twice", "id,name\n7,A\n0000007,B\n", "บรรทัดที่ 3: รหัส 00000007 มีซ้ำสองครั้ง (ซ้ำกับ A)" },
        RosterCase { "tis620_not_utf8", "id,name\n1,\xCA\xC1\xAA\xD2\xC2\n", "ไม่ใช่ข้อความ UTF-8" },
        RosterCase { "empty", "\xEF\xBB\xBF\n", "เป็นไฟล์ว่าง" },
        RosterCase { "header_alone", "id,name\r\n\r\n", "มีแต่หัวตาราง" },
        RosterCase { "cr_only_line_ends", "id;name\r1;Ann\r\r2;Bo", "1|Ann||;2|Bo||;" },
        RosterCase { "quote_left_open", "id,name\r1,Ann\r2,\"Bo\r3,Cy\r", "บรรทัดที่ 3: มีเครื่องหมายคำพูด" },
        RosterCase { "overlong_nul", "id,name\n1,A\xC0\x80\n", "ไม่ใช่ข้อความ UTF-8" },
        RosterCase { "control_characters",
            "id,name,class,number\n1,\"\x1B[31mRed\0 Nul\"\x7F,\xC2\x9B\xC2\xA0ม.1\t/1,\r\n"s,
            "1|[31mRed Nul|\xC2\xA0ม.1 /1|;" }),
    [](const testing::TestParamInfo<RosterCase>& info) { return std::string(info.param.label); });

// A mis-marked bubble changes one digit; two changed digits are another student.
TEST(RosterNear, FindsTheStudentsOneDigitAway)
{
    const Result<Roster> roster
        = Roster::Parse("id,name\n12345678,A\n12345679,B\n12345699,C\n2345678,D\n", "r.csv");
    ASSERT_TRUE(roster.ok());
    std::string near;
    for (const RosterStudent* s : roster->OneDigitAway(12345670))
        near += s->name;
    EXPECT_EQ(near, "AB");
    near.clear();
    for (const RosterStudent* s : roster->OneDigitAway(2345678))
        near += s->name;
    EXPECT_EQ(near, "A"); // 02345678: the leading zero is a digit too; D is this very ID
    EXPECT_EQ(roster->Find(2345678)->name, "D");
}

} // namespace
