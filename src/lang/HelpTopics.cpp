#include "lang/HelpTopics.h"

#include <algorithm>

namespace help {

const std::vector<TemplateTopic>& templateTopics()
{
    // Settings sheet pages and their record dialogs, the preferences pages.
    static const std::vector<TemplateTopic> topics = {
        {206, 8261}, // "Change password" (from the Security page)
        {211, 8258}, // Contacts
        {212, 8263}, // Directory
        {213, 8262}, // Trunks
        {215, 8257}, // Carriers
        {216, 8260}, // Holidays
        {217, 8261}, // Security
        {218, 8259}, // Currency
        {221, 8263}, // "Employee information" (Directory)
        {222, 8258}, // "Contact information" (Contacts)
        {223, 8262}, // "Trunk information" (Trunks)
        {225, 8257}, // "Prefix" (from the Carriers page)
        {231, 8241}, // Preferences: Columns
        {232, 8240}, // Preferences: View
        {233, 8242}, // Preferences: Colors and call types
        {234, 8243}, // Preferences: Reports customization
        {265, 8264}, // Rates
        {267, 8259}, // "Currency exchange rate" (from the Currency page)
        {268, 8268}, // Projects
        {269, 8268}, // "Project information" (Projects)
        {270, 8230}, // Filter: Type & dialing
        {271, 8231}, // Filter: Date, time, cost
        {272, 8232}, // Filter: Lines
        {273, 8233}, // Filter: Save / Load
        {276, 8264}, // Edit-rate sheet (from the Rates page) and its pages
        {277, 8264}, {278, 8264}, {279, 8264},
    };
    return topics;
}

int topicOf(int templateId)
{
    const auto& topics = templateTopics();
    const auto it = std::lower_bound(topics.begin(), topics.end(), templateId,
                                     [](const TemplateTopic& t, int id) { return t.templateId < id; });
    return it != topics.end() && it->templateId == templateId ? it->topic : 0;
}

std::string topicAnchor(int topic) { return "topic-" + std::to_string(topic); }

std::string anchorFor(int templateId)
{
    const int topic = topicOf(templateId);
    return topic ? topicAnchor(topic) : "dialog-" + std::to_string(templateId);
}

} // namespace help
