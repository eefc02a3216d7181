#pragma once

#include <optional>

#include <QString>

// Which items of the main menu show, from the firmware version and the capability fields the main
// window keeps. Positions in the texts are those of the firmware's version string ("v2.20.01").
namespace MainMenuRules {

// The text as a decimal integer; 0 when it is not one (empty, blanks, trailing letters).
int intOrZero(const QString& text);

struct AdvancedVisibility {
    bool mode = true;
    bool encryption = true;
    bool multiSsid = false;
    bool grouping = false;
    bool apDomains = false;
};

// New firmware (characters 2 to 5 of the version "2.10" or "2.20", or Multi-SSID supported) moves
// Mode and Encryption into the Multi-SSID page.
AdvancedVisibility advancedVisibility(const QString& fwVer, const QString& ifMultiSsid,
                                      const QString& newMulti, const QString& ifCluster);

enum class Generation { Old, New, None };
// NewMultiSupport 0 opens the old Multi-SSID page, 1 the new one, anything else nothing.
Generation multiSsidChoice(const QString& newMultiSupport);
// Ed_Green 0 (or not a number) opens the old administration page, anything else the new one.
Generation adminChoice(const QString& green);

// SyslogSupport 0 hides "Log", 1 shows it, other values leave it as it was (nullopt).
std::optional<bool> logVisibility(const QString& syslogSupport);

// "Client Info" when the device could not be asked: by the model's family digit (character 6 of the
// model name) and the firmware's major digit (character 2 of the version). Either not a digit: hidden.
bool clientInfoFallback(const QString& modelName, const QString& fwVer);

}  // namespace MainMenuRules
