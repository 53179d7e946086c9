#pragma once
// Messages as message boxes: the window program installs one of these, so
// every MessageById of the engine becomes a modal box over the active window,
// titled with the program title.

#include "lang/Message.h"

#include <functional>
#include <string>

class QtMessageSink : public MessageSink
{
public:
    // Installs itself; the destructor restores the sink that was installed before.
    QtMessageSink();
    ~QtMessageSink() override;
    QtMessageSink(const QtMessageSink&) = delete;
    QtMessageSink& operator=(const QtMessageSink&) = delete;

    int show(int id, const std::string& text, int boxType) override;

    // Replaces the boxes (tests, unattended runs): the handler gets what a box
    // would show and returns the answer. An empty handler shows boxes again.
    using Handler = std::function<int(int id, const std::string& text, int boxType)>;
    void setHandler(Handler handler) { m_handler = std::move(handler); }

private:
    MessageSink* m_previous;
    Handler m_handler;
};
