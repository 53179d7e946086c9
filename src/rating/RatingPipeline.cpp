#include "rating/RatingPipeline.h"

RatingPipeline::RatingPipeline(const SettingsDatabase& settings, const Preferences& prefs)
    : m_rating(settings, RatingOptions::from(prefs))
{ }

RatingPipeline::RatingPipeline(const SettingsDatabase& settings, const RatingOptions& options)
    : m_rating(settings, options)
{ }

void RatingPipeline::preferencesChanged(const Preferences& prefs) { m_rating.setOptions(RatingOptions::from(prefs)); }
