#pragma once
// The demo window and the session: the window is made at start-up (hidden),
// shown when the demo starts, fed on every frame while the demo runs (event
// counter and the six pictures), closed by Power Off or the tool's removal.
// Closing it stops the feed. Its "Mode" follows the chip's communication mode
// whenever the settings change.

#include <QObject>
#include <memory>

class TDemoForm;
class TSession;

class TDemoLink : public QObject {
    Q_OBJECT
public:
    explicit TDemoLink(TSession& session, QObject* parent = nullptr);
    ~TDemoLink() override;

    TDemoForm* form() const { return FForm.get(); }

private:
    void show();
    void frame(int eventCounter);

    TSession& FSession;
    std::unique_ptr<TDemoForm> FForm;
};
