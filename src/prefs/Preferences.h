#pragma once
// The per-workstation presentation preferences: number formats, punctuation of
// dialled numbers, destination styles, row colours, the user-defined call-type
// names, the calls list's delimiter lines, auto-refresh and the five report
// texts. They live in the INI section "Prefs" (not in the shared settings
// database); each member names its key. The defaults are those of the table in
// Preferences.cpp, which a default-constructed value holds.

#include "core/IniProfile.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

// A Windows colour value, 0x00BBGGRR.
using ColorRef = std::uint32_t;

struct Preferences
{
    static constexpr std::string_view kSection = "Prefs";
    static constexpr std::size_t kUserCallTypeNameMax = 32;
    static constexpr std::size_t kCustomTextMax = 255;
    static constexpr int kExtensionFormatCount = 5; // "%d" .. "%05d"
    static constexpr int kTrunkFormatCount = 6;     // "%d" .. "%06d"

    // Destination styles of the calls list.
    enum DestinationStyle : int { CountryAndCity = 0, CountryOnly = 1, CityOnly = 2 };

    // The five report texts, in their key order ("CustomText0" .. "CustomText4").
    enum CustomText : int { CompanyName = 0, Address, Phones, TextLine1, TextLine2 };

    int extensionFormat;                      // "Ext": number of digits padded with zeros, 0 = none, 1 = 2 digits, ...
    int trunkFormat;                          // "CO": likewise, up to 6 digits
    bool dashAfterLocalPrefix;                // "Local"
    bool dashAfterCode;                       // "Code": after the country/city code
    bool dashAfterTollPrefix;                 // "Toll"
    bool incomingLocal;                       // "IncomingLocal": every incoming call is local
    bool usaFormat;                           // "USA": dialled numbers in USA format
    int destinationIntl;                      // "DestIntl": a DestinationStyle
    int destinationLongDistance;              // "DestLD"
    int destinationUser;                      // "DestUser": user-defined call types
    std::array<ColorRef, 3> colorOut;         // "ColorOut%d": local, long distance, international
    std::array<ColorRef, 3> backOut;          // "BackOut%d"
    ColorRef colorIn;                         // "ColorIn"
    ColorRef backIn;                          // "BackIn"
    ColorRef colorUnknown;                    // "ColorUnknown": outgoing calls without a destination
    ColorRef backUnknown;                     // "BackUnknown"
    std::array<std::string, 4> userCallTypes; // "UserCallType%d": names of call types 3 to 6, empty = default name
    std::array<ColorRef, 4> colorUser;        // "ColorUser%d"
    std::array<ColorRef, 4> backUser;         // "BackUser%d"
    bool delimiters;                          // "Delimiters": draw delimiter lines in the calls list
    ColorRef delimiterColor;                  // "DelimiterColor"
    bool refresh;                             // "Refresh": auto-refresh after a file is opened
    // "CustomText%d": line breaks are CR LF here; in the INI file they are the two
    // characters backslash and n.
    std::array<std::string, 5> customTexts;

    Preferences(); // the defaults

    // Every value from the section; a missing key, and a choice outside its
    // range, gives the default. Texts are cut to their maximum length.
    void load(const IniProfile& ini);
    // Writes every value (one write of the file). False when the file could not be written.
    bool save(IniProfile& ini) const;

    // An extension or trunk number in its chosen format; -1 (none) is empty text.
    std::string formatExtension(int extension) const;
    std::string formatTrunk(int trunk) const;
};
