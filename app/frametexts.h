#pragma once

// The main window's fixed texts (captions, tips, link targets), as plain functions.
#include <QString>

namespace kv::frametexts {

QString WelcomeTip();              // the tip line at rest
QString CopyTip();                 // over the notation boxes
QString CommandCaption(int index); // LblColor 0..8
QString CommandTip(int index);     // LblColor 0..8
QString LinkCaption(int index);    // LblWeb 0..3
QString LinkTip(int index);        // empty where a link leaves the tip alone
QString LinkTarget(int index);     // empty where a link opens nothing
QString AuthorEmail();
QString AuthorNotice();
QString RightsLine(int index); // LblRights 0..1

} // namespace kv::frametexts
