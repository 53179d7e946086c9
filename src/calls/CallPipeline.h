#pragma once
// What happens to each call as it is loaded or re-rated, behind one seam:
// classification and pricing (rate) and the current filter (accept). The
// loader and Rerate call it for every call; the defaults leave calls unrated
// and let every call through.

#include "calls/CallRecord.h"

class CallPipeline
{
public:
    virtual ~CallPipeline() = default;
    // Fills the rating fields of a call that was just read (all of them zero).
    virtual void rate(CallRecord& call) { (void)call; }
    // Whether the call joins the visible list.
    virtual bool accept(const CallRecord& call) const
    {
        (void)call;
        return true;
    }
};
