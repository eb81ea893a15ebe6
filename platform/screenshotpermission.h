#pragma once

// GNOME asks the user once whether programs may take screenshots without asking,
// and keeps the answer in the desktop's permission store, one answer for every
// program that is not sandboxed. Reading it tells what the next screenshot request
// will meet: a question, a picture, or a refusal at once.
#include "platform/portalrequest.h"

#include <QDBusConnection>
#include <QString>

namespace kv {

enum class ScreenshotPermission {
    NotAsked, // no desktop that keeps such an answer (or no store on the bus)
    Unknown,  // the desktop keeps one, but none yet: the next request asks the user
    Granted,
    Refused,
};

// The stored answer for programs without a sandbox ("" in table "screenshot").
// Only GNOME's portal reads this table; elsewhere the answer is NotAsked.
ScreenshotPermission readScreenshotPermission(QDBusConnection bus);

// Whether this session's portal is GNOME's, the one that asks.
bool desktopAsksForScreenshots();
// Whether this session's screenshots go through a desktop that asks the user first.
bool screenshotsAskTheUser();

// The command that gives the permission again after it was refused.
QString screenshotPermissionCommand();

// Why a screenshot request failed, in the user's words, told by what the desktop
// keeps now: a stored refusal says how to allow again; a request that timed out
// while nothing is stored met the desktop's question, which is still waiting.
QString screenshotFailureText(PortalOutcome outcome, ScreenshotPermission now);

// What the tip line says before a capture when the desktop is about to ask;
// empty when it will not ask.
QString screenshotQuestionNotice(ScreenshotPermission now);

} // namespace kv
