#pragma once
// The OTP setup page without widgets: Read Address (which of the eight
// addresses the chip answers at) and Write Address (programming the address
// bits into the chip's one-time-programmable bank 0 in test mode, with up to
// four burn-and-verify attempts), and the captions and enabled states of the
// page's two buttons.
//
// The buttons are enabled each time the session starts streaming and disabled
// when it stops; a Read Address that finds no chip leaves its button disabled,
// and after Write Address both stay disabled until the next Start. The
// current address shown is the settings window's current-address text.

#include <QObject>
#include <QString>
#include <array>
#include <cstdint>
#include <functional>
#include <optional>

class TSession;

// An entry of the "New I2C Address: " list: its text, the address and the
// code whose bits 0, 1 and 3 are burned into bank 0 (address = 0x44 + code).
struct TOtpEntry {
    const char* text;
    std::uint8_t address;
    std::uint8_t code;
};
inline constexpr std::array<TOtpEntry, 8> kOtpEntries{{{"44", 0x44, 0x0},
                                                       {"45", 0x45, 0x1},
                                                       {"46", 0x46, 0x2},
                                                       {"47", 0x47, 0x3},
                                                       {"4C", 0x4C, 0x8},
                                                       {"4D", 0x4D, 0x9},
                                                       {"4E", 0x4E, 0xA},
                                                       {"4F", 0x4F, 0xB}}};
// The entry with this text (either case), or nullopt.
std::optional<int> otpEntryIndex(const QString& text);
// The byte to burn into bank 0 for a code, given what bank 0 holds now; nullopt
// when bank 0 already has an address bit burned that the code does not have.
std::optional<std::uint8_t> otpBurnValue(std::uint8_t code, std::uint8_t bank0);

enum class TOtpOutcome {
    Cancelled,       // the confirmation was not answered OK; nothing was sent
    TestModeFailed,  // the chip did not enter test mode
    Refused,         // burned bits stand in the way; nothing was burned
    Written,         // burned and verified
    VerifyFailed,    // four attempts did not verify
};

struct TOtpView {
    QString readCaption;
    QString writeCaption;
    bool readEnabled = false;
    bool writeEnabled = false;
};

class TOtpAddress : public QObject {
    Q_OBJECT
public:
    static constexpr int kAttempts = 4;
    using TWaiter = std::function<void(int ms)>;

    explicit TOtpAddress(TSession& session, QObject* parent = nullptr);

    void setWaiter(TWaiter waiter) { FWaiter = std::move(waiter); }
    const TOtpView& view() const { return FView; }
    // FAddressRead: an address has been found.
    bool addressRead() const { return FAddressRead; }
    bool busy() const { return FBusy; }

    // Read Address. The address found, or nullopt when none answers.
    std::optional<std::uint8_t> ReadAddressButtonClick();
    // Write Address for entry index (0 to 7) of kOtpEntries.
    TOtpOutcome WriteAddressButtonClick(int entry);

signals:
    // Captions, enabled states or the current address changed.
    void viewChanged();

private:
    void streamingChanged();
    void setView(const std::function<void(TOtpView&)>& change);
    void prepareTool();
    bool enterTestMode();
    std::array<std::optional<std::uint8_t>, 4> normalRead();
    std::array<std::optional<std::uint8_t>, 5> marginRead();
    void burn(std::uint8_t value);
    bool bankWrite(int bank, std::initializer_list<std::uint8_t> bytes);
    std::optional<std::uint8_t> portRead();
    TOtpOutcome program(std::uint8_t code);
    void wait(int ms);

    TSession& FSession;
    TWaiter FWaiter;
    TOtpView FView;
    bool FAddressRead = false;
    bool FBusy = false;
    bool FStreamingEnabled = false;  // the session's "enabled while streaming" state seen last
};
