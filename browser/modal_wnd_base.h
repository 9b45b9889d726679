#pragma once

// A dialog that runs a modal loop of its own (a system dialog) and so blocks the thread it
// runs on: the modal runner gives it a thread of its own. It hands its result back by posting
// to the UI thread itself.
class ModalWndBase {
public:
    virtual ~ModalWndBase() = default;
    // Shows the dialog and returns once it has ended, on the calling thread.
    virtual void RunModal() = 0;
};
