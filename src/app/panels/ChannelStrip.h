#pragma once
// The strip under the bar graph: per bar its state picture (CH0PTShape..),
// channel number label, check box (CH0Check..CH5Check; CH6Check, CH7Check for
// the engineering bars), count, LTA and delta labels (CS0Lbl.., LTA0Lbl..,
// DT0Lbl..; CS6Lbl, CS7Lbl) and the engineering bars' address boxes, with
// separators between the columns. PositionChannelLabels centres each column
// on the pixel X of its bar.

#include "DisplayTypes.h"

#include <QWidget>
#include <array>

class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class TPictureLabel;
struct Pictures;

class TChannelStrip : public QWidget {
    Q_OBJECT
public:
    static constexpr int kColumns = kDisplayChannels + kEngineeringBars;

    explicit TChannelStrip(const Pictures& pictures, QWidget* parent = nullptr);

    // Centres column n (n < columns) on xs[n] (strip coordinates).
    void PositionChannelLabels(const std::array<int, kColumns>& xs, int columns);
    // Shows or hides the controls of bars 6 and 7.
    void setEngineeringMode(bool on);
    bool engineeringMode() const { return FEngineering; }

    std::array<bool, kDisplayChannels> channelChecks() const;
    // Sets the boxes without emitting anything. "All" follows the boxes:
    // ticked when all six are, unticked when none is, partly ticked otherwise.
    void setChannelChecks(const std::array<bool, kDisplayChannels>& checks);
    bool extraBarChecked(int bar) const;       // bar 6 or 7
    void setExtraBarChecked(int bar, bool on); // without emitting
    QString barAddressText(int bar) const;     // bar 6 or 7
    void setBarAddressText(int bar, const QString& text);

    TPictureLabel* picture(int n) const { return FPictures[static_cast<std::size_t>(n)]; }
    QCheckBox* channelCheck(int n) const { return FChecks[static_cast<std::size_t>(n)]; }
    QCheckBox* allCheck() const { return FAll; }
    QLabel* numberLabel(int n) const { return FNumbers[static_cast<std::size_t>(n)]; }
    QLabel* countLabel(int n) const { return FCounts[static_cast<std::size_t>(n)]; }
    QLabel* ltaLabel(int n) const { return FLtas[static_cast<std::size_t>(n)]; }
    QLabel* deltaLabel(int n) const { return FDeltas[static_cast<std::size_t>(n)]; }
    QLineEdit* addressEdit(int bar) const;
    QFrame* separator(int i) const { return FSeparators[static_cast<std::size_t>(i)]; }

    // Pictures and read-outs greyed while they show the values of a stream
    // that has ended.
    void setStale(bool stale);
    bool stale() const { return FStale; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void channelBoxClicked(int channel, bool checked);
    void allClicked(bool checked);
    void extraBarBoxClicked(int bar, bool checked); // bar 6 or 7
    void barAddressEdited(int bar, const QString& text);

private:
    void showAllState();

    std::array<TPictureLabel*, kDisplayChannels> FPictures{};
    std::array<QLabel*, kColumns> FNumbers{};
    std::array<QCheckBox*, kColumns> FChecks{};
    std::array<QLabel*, kColumns> FCounts{};
    std::array<QLabel*, kDisplayChannels> FLtas{};
    std::array<QLabel*, kDisplayChannels> FDeltas{};
    std::array<QLineEdit*, kEngineeringBars> FAddresses{};
    std::array<QFrame*, kColumns - 1> FSeparators{};
    std::array<QLabel*, 6> FCaptions{};
    QCheckBox* FAll = nullptr;
    bool FEngineering = false;
    bool FStale = false;
};
