#pragma once
// Rating as the call session's pipeline: every call that is loaded or re-rated
// is classified and priced from the live settings and the preference values.
// The filter is not part of it; a pipeline that also filters builds on this
// one (or calls rating() itself) and adds accept().

#include "calls/CallPipeline.h"
#include "prefs/Preferences.h"
#include "rating/CallRating.h"

class RatingPipeline : public CallPipeline
{
public:
    // `settings` (indexes rebuilt) must outlive the pipeline.
    RatingPipeline(const SettingsDatabase& settings, const Preferences& prefs);
    RatingPipeline(const SettingsDatabase& settings, const RatingOptions& options);

    void rate(CallRecord& call) override { m_rating.classify(call); }

    // After the settings changed and their indexes were rebuilt, before Rerate.
    void settingsChanged() { m_rating.rebuild(); }
    // After the preferences changed, before Rerate.
    void preferencesChanged(const Preferences& prefs);

    const CallRating& rating() const { return m_rating; }

private:
    CallRating m_rating;
};
