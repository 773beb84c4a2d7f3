#include "classroom_plan.h"

#include <algorithm>
#include <array>
#include <utility>

namespace {

char LetterAfter(char letter)
{
    return static_cast<char>('a' + (letter - 'a' + 1) % 5);
}

char OtherLetter(char letter, SheetRandom& random)
{
    return static_cast<char>('a' + (letter - 'a' + 1 + random.Below(4)) % 5);
}

// Shares of the answered rows, in per cent.
constexpr std::array<std::pair<MarkKind, int>, 12> kRowMix { { { MarkKind::Neat, 40 },
    { MarkKind::Partial, 12 }, { MarkKind::OffCentre, 10 }, { MarkKind::Heavy, 10 }, { MarkKind::Tick, 4 },
    { MarkKind::Cross, 4 }, { MarkKind::Circle, 3 }, { MarkKind::Ballpoint, 3 }, { MarkKind::Faint, 4 },
    { MarkKind::Changed, 6 }, { MarkKind::Erased, 2 }, { MarkKind::Double, 2 } } };

MarkKind DrawKind(SheetRandom& random)
{
    int roll = random.Below(100);
    for (const auto& [kind, share] : kRowMix) {
        if (roll < share)
            return kind;
        roll -= share;
    }
    return MarkKind::Neat;
}

int DrawResidueGrey(SheetRandom& random)
{
    return random.Between(150, 210);
}

} // namespace

void ApplyMarkKinds(SheetContent& content, const std::vector<MarkKind>& kinds)
{
    if (kinds.empty())
        return;
    for (size_t q = 0; q < content.marks.size(); ++q) {
        std::string& marks = content.marks[q];
        std::string& erased = content.erased[q];
        const MarkKind kind = kinds[q % kinds.size()];
        if (marks.empty())
            continue;
        content.items[q].kind = kind;
        if (kind == MarkKind::Changed && erased.empty() && marks.size() == 1)
            erased = std::string(1, LetterAfter(marks[0]));
        if (kind == MarkKind::Erased) {
            erased = erased.empty() ? marks : erased;
            marks.clear();
        }
        if (kind == MarkKind::Double && marks.size() == 1) {
            marks += LetterAfter(marks[0]);
            std::sort(marks.begin(), marks.end());
        }
    }
}

void MixClassroomMarks(SheetContent& content, SheetRandom& random)
{
    for (size_t q = 0; q < content.marks.size(); ++q) {
        std::string& marks = content.marks[q];
        ItemMark& item = content.items[q];
        // Drawn for every row, so a row's draws never depend on another's.
        const MarkKind kind = DrawKind(random);
        const double cover
            = random.Chance(0.2) ? random.Uniform(0.3, kHalfBubble) : random.Uniform(kHalfBubble, 0.9);
        const int residue = DrawResidueGrey(random);
        const char other = OtherLetter(marks.empty() ? 'a' : marks[0], random);
        if (marks.size() >= 2)
            item.kind = MarkKind::Double;
        if (marks.size() != 1)
            continue;
        item = { kind, kind == MarkKind::Partial ? cover : 0, 0 };
        if (kind == MarkKind::Changed) {
            content.erased[q] = std::string(1, other);
            item.residueGrey = residue;
        } else if (kind == MarkKind::Erased) {
            content.erased[q] = marks;
            marks.clear();
            item.residueGrey = residue;
        } else if (kind == MarkKind::Double) {
            marks += other;
            std::sort(marks.begin(), marks.end());
        }
    }
    const bool changeId = random.Chance(0.1);
    const int band = random.Below(8);
    const int shift = 1 + random.Below(9);
    const int residue = DrawResidueGrey(random);
    if (changeId)
        content.idChange
            = { band, (content.examineeId[static_cast<size_t>(band)] - '0' + shift) % 10, residue };
}

int DrawToneGrey(ScanTone tone, SheetRandom& random)
{
    const int light = random.Between(80, 100);
    const int dark = random.Between(175, 205);
    return tone == ScanTone::Light ? light : tone == ScanTone::Dark ? dark : 0;
}

PageHandling PlanPageHandling(const ClassroomOptions& options, SheetRandom& random)
{
    const bool mix = options.mix;
    PageHandling page = options.defects;
    const double toneRoll = random.Unit();
    ScanTone tone = mix ? (toneRoll < 0.2     ? ScanTone::Light
                            : toneRoll < 0.35 ? ScanTone::Dark
                                              : ScanTone::Normal)
                        : ScanTone::Normal;
    page.tone = options.tone.value_or(tone);
    page.toneGrey = DrawToneGrey(page.tone, random);
    const bool scaled = random.Chance(0.04);
    const double presetScale = random.Uniform(0.94, 0.97);
    if (options.printScale)
        page.printScale = random.Uniform(options.printScale->first, options.printScale->second);
    else if (mix && scaled)
        page.printScale = presetScale;
    page.upsideDown = options.upsideDown || (random.Chance(0.03) && mix);
    page.fold = page.fold || (random.Chance(0.2) && mix);
    page.holes = page.holes || (random.Chance(0.12) && mix);
    page.showThrough = page.showThrough || (random.Chance(0.15) && mix);
    page.edgeShadow = page.edgeShadow || (random.Chance(0.25) && mix);
    page.perspective = page.perspective || (random.Chance(0.25) && mix);
    page.seed = random.Next();
    return page;
}
