#pragma once
// Progress of a long loop over calls, reported to whoever shows it. step() runs
// for the first item and then once every 500, so it may afford to let pending
// window messages through; it must not change the session that is running the
// loop. Returning false from step() asks a load to abort (a re-rate runs on).

#include <cstddef>

class Progress
{
public:
    virtual ~Progress() = default;
    virtual void begin(std::size_t total) { (void)total; }
    virtual bool step(std::size_t done, std::size_t total) = 0;
    virtual void end() { }
};

class NoProgress final : public Progress
{
public:
    bool step(std::size_t, std::size_t) override { return true; }
};
