#pragma once
// How a settings page built from the field table is laid out: its boxes, in
// the order of the table, and the label of every field. The page builder
// turns this plan into widgets; nothing here knows a widget. Plain C++.
//
// Rules, in order:
//   1. A page holds the fields whose table page is the page, in table order.
//   2. Fields that name a box (GroupCaption) share one titled box, placed where
//      the first of them stands.
//   3. A radio group without a box stands alone (it is a titled box itself).
//   4. Consecutive engineering-only fields without a box share one untitled
//      box, shown in engineering mode only.
//   5. Other consecutive fields without a box (spins, lists, check boxes)
//      share one untitled box.

#include "FieldTable.h"

#include <string>
#include <vector>

struct TLayoutBox {
    std::string Caption; // the box title; "" for an untitled box or a lone radio group
    bool LoneRadio = false;
    bool EngineeringOnly = false; // every field of the box is engineering-only
    std::vector<TFieldId> Fields;
};

struct TPageLayout {
    int Page = 0;
    std::vector<TLayoutBox> Boxes;
};

// The plan of a page (empty for pages without table fields).
TPageLayout pageLayout(int page);

// The text of the label beside a spin or list: its caption; for a spin alone
// in a titled box with no caption of its own, "" (the box title names it);
// otherwise its description with a capital first letter ("CH0 prox threshold").
std::string fieldLabel(const TFieldDesc& desc);
// The name screen readers and automation find the field's editor by: its
// caption or label, else the title of its box.
std::string fieldAccessibleName(const TFieldDesc& desc);

// Rough height in pixels of a box as the page builder draws it, used to
// spread the boxes over columns.
int estimatedHeight(const TLayoutBox& box);
// Splits the boxes into at most columns runs of similar height, keeping their
// order; returns the index of the first box of each column.
std::vector<std::size_t> splitIntoColumns(const std::vector<TLayoutBox>& boxes, int columns);
