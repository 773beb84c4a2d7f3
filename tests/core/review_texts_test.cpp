// Every doubt the review can name has the teacher's words in Thai and in English.

#include "framework/teacher_language.h"
#include "results/review_texts.h"

#include <QCoreApplication>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

struct Language {
    QLocale locale;
    bool english;
};

class ReviewTextsTest : public testing::TestWithParam<Language> {
protected:
    static void SetUpTestSuite()
    {
        static int argc = 1;
        static char name[] = "review_texts_test";
        static char* argv[] = { name, nullptr };
        if (!QCoreApplication::instance())
            new QCoreApplication(argc, argv); // lives for the process, as an application does
    }
    void TearDown() override { InstallTeacherLanguage(QLocale(QLocale::Thai)); }
};

// Thai: no Latin letter but the answer letters a-e; English: no Thai letter.
void ExpectLanguage(const std::string& text, bool english)
{
    const QString shown = QString::fromStdString(text);
    EXPECT_FALSE(shown.isEmpty());
    if (english) {
        EXPECT_FALSE(shown.contains(QRegularExpression(QStringLiteral("[\u0E00-\u0E7F]")))) << text;
        EXPECT_TRUE(shown.contains(QRegularExpression(QStringLiteral("[A-Za-z]")))) << text;
    } else {
        EXPECT_FALSE(shown.contains(QRegularExpression(QStringLiteral("[A-Zf-z]")))) << text;
        EXPECT_TRUE(shown.contains(QRegularExpression(QStringLiteral("[\u0E00-\u0E7F]")))) << text;
    }
}

TEST_P(ReviewTextsTest, EveryCodeHasTheTeachersWords)
{
    ASSERT_TRUE(InstallTeacherLanguage(GetParam().locale));
    const bool english = GetParam().english;
    for (int why = 0; why < kReviewReasonCount; ++why)
        ExpectLanguage(ReviewReasonText(static_cast<ReviewReason>(why), { 62, 3 }), english);
    for (const char* item : { "q79", "id:3", "tilt", "mark", "checked" })
        ExpectLanguage(ReviewPlaceText(item), english);
    for (const char* reading : { "C", "W", "E", "W a", "E ab", "C -", "none", "several", "0.87 deg" })
        ExpectLanguage(ReviewReadingText(reading), english);
    for (const std::string& note : { RefusedText(""), UnreportedText(), CheckKeyText() })
        ExpectLanguage(note, english);
    SheetReview review;
    review.items.push_back({ "q79", "C", "W b", "light mark", ReviewReason::LightMark, { 62, 0 } });
    review.items.push_back({ "tilt", "0.90 deg", "0.88 deg", "turned", ReviewReason::Turned, { 1.5, 0 } });
    ExpectLanguage(ReviewListText(review), english);
    ExpectLanguage(ReviewDetailText(review), english);
    // The figures are the item's own.
    EXPECT_NE(ReviewDetailText(review).find("62"), std::string::npos);
    EXPECT_NE(ReviewDetailText(review).find("1.5"), std::string::npos);
    review.degrees = -0.74; // said by its own item, else beside the doubts
    EXPECT_EQ(ReviewDetailText(review).find("-0.74"), std::string::npos);
    review.items.pop_back();
    EXPECT_NE(ReviewDetailText(review).find("-0.74"), std::string::npos);
    // A sheet printed to fit the page is said shrunk, doubtful or not; a scanner's own scale is not.
    for (const auto& [scale, said] : { std::pair { 0.962, true }, std::pair { 0.992, false } }) {
        SheetReview shrunk;
        shrunk.printScale = scale;
        const std::string text = ReviewDetailText(shrunk);
        EXPECT_EQ(text.find("96") != std::string::npos, said) << text;
        EXPECT_EQ(text.empty(), !said) << text;
    }
}

INSTANTIATE_TEST_SUITE_P(Languages, ReviewTextsTest,
    testing::Values(Language { QLocale(QLocale::Thai), false }, Language { QLocale(QLocale::C), false },
        Language { QLocale(QLocale::English, QLocale::UnitedKingdom), true }),
    [](const testing::TestParamInfo<Language>& info) {
        return info.param.english ? std::string("English") : info.index == 0 ? "Thai" : "OtherLocale";
    });

} // namespace
