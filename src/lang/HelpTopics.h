#pragma once
// Where a Help button leads: the help topic (context number) of a dialog or
// property page, and the anchor of its section in the help file. A window with
// a topic of its own opens "topic-<number>"; any other dialog template opens
// "dialog-<template id>". Several windows may share one topic (the "Security"
// page and its "Change password" dialog). The help file's table of contents
// starts at "contents".

#include <string>
#include <vector>

namespace help {

inline constexpr const char* kContentsAnchor = "contents";

struct TemplateTopic
{
    int templateId;
    int topic;
};

// The windows that have a help topic, ascending by template id.
const std::vector<TemplateTopic>& templateTopics();

// The topic of a dialog or page template; 0 when it has none of its own.
int topicOf(int templateId);
std::string topicAnchor(int topic);
// The anchor that the Help button of dialog or page `templateId` opens.
std::string anchorFor(int templateId);

} // namespace help
