#pragma once
// Version texts and the decision which products to offer.
//
// A version text is one leading character (usually "V") and four decimal
// integers separated by ".": "V1.1.0.50".

#include "UpdateRecord.h"

#include <QString>
#include <array>
#include <optional>
#include <vector>

using TVersionParts = std::array<int, 4>;

// The four integers, or nothing when the text is not a version text.
std::optional<TVersionParts> parseVersionText(const QString& text);

// x is newer than y: the first integer that differs is greater in x.
bool isNewerVersion(const TVersionParts& x, const TVersionParts& y);

// Decides every record not already NotAvailable from its installed (C), web
// (W) and downloaded (L) versions:
//   C, W, L: W not newer than C -> NotAvailable; L equal to W (as text) or
//            newer than W -> UpdateRequired + InstallOnly; else UpdateRequired.
//   C, W:    W newer than C -> UpdateRequired; else NotAvailable.
//   C, L:    L newer than C -> UpdateRequired + InstallOnly; else NotAvailable.
//   C:       NotAvailable.
// A present text that is not a version text stops the deciding: that record
// and all later ones keep their flags (nothing offered for them).
void CompareVersions(std::vector<TUpdateRecord>& records);
