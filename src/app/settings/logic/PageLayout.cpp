#include "PageLayout.h"

#include <algorithm>
#include <cctype>
#include <numeric>

namespace {

// Fields of a page whose box is titled caption.
std::size_t countInBox(int page, const std::string& caption)
{
    std::size_t n = 0;
    for (const TFieldDesc& d : fieldTable())
        n += d.Page == page && d.GroupCaption == caption ? 1 : 0;
    return n;
}

} // namespace

TPageLayout pageLayout(int page)
{
    TPageLayout layout;
    layout.Page = page;
    std::vector<TLayoutBox>& boxes = layout.Boxes;
    // Where the box of each box title went.
    auto titled = [&](const std::string& caption) -> TLayoutBox* {
        for (TLayoutBox& b : boxes) {
            if (!b.LoneRadio && b.Caption == caption)
                return &b;
        }
        return nullptr;
    };

    bool lastWasLoose = false; // the last box is an untitled run still open
    for (const TFieldDesc& d : fieldTable()) {
        if (d.Page != page)
            continue;
        if (!d.GroupCaption.empty()) {
            TLayoutBox* box = titled(d.GroupCaption);
            if (!box) {
                boxes.push_back({d.GroupCaption, false, true, {}});
                box = &boxes.back();
            }
            box->Fields.push_back(d.Id);
            box->EngineeringOnly = box->EngineeringOnly && d.EngineeringOnly;
            lastWasLoose = false;
            continue;
        }
        if (d.Kind == TFieldKind::Radio && !d.EngineeringOnly) {
            boxes.push_back({"", true, false, {d.Id}});
            lastWasLoose = false;
            continue;
        }
        // An untitled run: engineering-only fields and the others never mix.
        if (lastWasLoose && boxes.back().EngineeringOnly == d.EngineeringOnly) {
            boxes.back().Fields.push_back(d.Id);
            continue;
        }
        boxes.push_back({"", false, d.EngineeringOnly, {d.Id}});
        lastWasLoose = true;
    }
    return layout;
}

std::string fieldLabel(const TFieldDesc& desc)
{
    if (!desc.Caption.empty())
        return desc.Caption;
    if (!desc.GroupCaption.empty() && countInBox(desc.Page, desc.GroupCaption) == 1)
        return {};
    std::string s = desc.Description;
    if (const auto comma = s.find(','); comma != std::string::npos)
        s.erase(comma); // ", units of 500 ms": the unit label says it
    if (!s.empty())
        s[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(s[0])));
    return s;
}

std::string fieldAccessibleName(const TFieldDesc& desc)
{
    std::string name = fieldLabel(desc);
    if (name.empty())
        name = desc.GroupCaption;
    // Trailing blanks of captions ("Proximity Threshold ") are not part of the name.
    while (!name.empty() && name.back() == ' ')
        name.pop_back();
    return name;
}

int estimatedHeight(const TLayoutBox& box)
{
    int h = box.LoneRadio || !box.Caption.empty() ? 28 : 12;
    for (const TFieldId f : box.Fields) {
        const TFieldDesc& d = fieldDesc(f);
        switch (d.Kind) {
        case TFieldKind::Radio:
            h += (box.LoneRadio ? 0 : 28) + 22 * static_cast<int>(d.Entries.size());
            break;
        case TFieldKind::Check:
            h += 24;
            break;
        case TFieldKind::Spin:
        case TFieldKind::List:
            h += 32;
            break;
        }
    }
    return h;
}

std::vector<std::size_t> splitIntoColumns(const std::vector<TLayoutBox>& boxes, int columns)
{
    std::vector<std::size_t> starts;
    if (boxes.empty())
        return starts;
    std::vector<int> heights;
    for (const TLayoutBox& b : boxes)
        heights.push_back(estimatedHeight(b));
    const int total = std::accumulate(heights.begin(), heights.end(), 0);
    const int target = (total + columns - 1) / std::max(1, columns);
    starts.push_back(0);
    int filled = 0;
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        // Start a new column when this box would overfill the current one
        // past half of its own height.
        if (filled > 0 && filled + heights[i] / 2 > target &&
            static_cast<int>(starts.size()) < columns) {
            starts.push_back(i);
            filled = 0;
        }
        filled += heights[i];
    }
    return starts;
}
