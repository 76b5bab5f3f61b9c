#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <optional>

// Dividing a hop addition over up to four varieties, without a window.
namespace mostarium::calc {

inline constexpr int MaxHopSoorten = 4;

// The row count a list choice gives: its leading number, 1 to 4.
int hopRijen(const QString &aantal);

// The boxes' leading numbers; none where a box's number is too large for a
// double (num::leadingNumber).
struct HopPartitionInput {
    std::optional<double> gramNodig = 0, alfaNodig = 0;
    int n = 2;  // rows shown
    std::array<std::optional<double>, MaxHopSoorten> alfa{}, gram{};
};

struct HopPartitionBad {
    bool gramNodig = false, alfaNodig = false;
    std::array<bool, MaxHopSoorten> alfa{}, gram{};
    bool any() const;
};
// Grams above 0, alpha strictly between 0 and 25, none failing each; the last
// row's grams are the answer and are not checked.
HopPartitionBad controleerHopPartition(const HopPartitionInput &in);

struct HopPartitionResult {
    // Rows 0 .. n - 1: the share box's new text and whether it is red.
    std::array<QString, MaxHopSoorten> perc;
    std::array<bool, MaxHopSoorten> percRed{};
    // One variety: its share keeps whatever colour it had.
    bool keepFirstColour = false;
    // The last row's grams; empty with its share when the given rows already
    // reach the need, so no earlier answer stands beside new inputs.
    QString antwoord;
};
// The shares and the answer; CalcError on a division by zero, and on a box
// it reads that holds none (the check refuses that first).
HopPartitionResult hopPartition(const HopPartitionInput &in);

// One report line per row: " 1:  8%  20gr  64.0".
QStringList hopPartitionLines(const QStringList &alfa, const QStringList &gram, const QStringList &perc);

}  // namespace mostarium::calc
