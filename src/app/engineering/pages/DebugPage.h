#pragma once
// Page 10 of the settings window, "Debug": twenty chip registers streamed with
// every frame. Each row has an address field and a read-only result field;
// "GO!" rebuilds the stream from the addresses, and while engineering mode is
// on every active row shows its streamed byte ("00010010 0x12").

#include <QWidget>
#include <array>

class QLineEdit;
class QPushButton;
class THexEdit;
class TSession;

class TDebugPage : public QWidget {
    Q_OBJECT
public:
    static constexpr int kRows = 20;

    explicit TDebugPage(TSession& session, QWidget* parent = nullptr);

    std::array<THexEdit*, kRows> AdrsEditArray{};
    std::array<QLineEdit*, kRows> ResEditArray{};
    QPushButton* GoButton = nullptr;

    // Address fields from the setup model (after the preferences were read).
    void showAddresses();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void showResults();

    TSession& FSession;
};
