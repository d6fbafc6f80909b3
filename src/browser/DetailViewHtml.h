#pragma once
// A page of the detail view as the HTML that Qt's rich-text document understands: one
// paragraph per page paragraph, every piece a span in its text style, links as anchors whose
// href is the link number.

#include <QColor>
#include <QLocale>
#include <QString>

#include "browser/DetailPage.h"

namespace bv {

inline constexpr const char* kFieldBulletPicture = ":/buttons/28.png";
inline constexpr const char* kLinkBulletPicture = ":/buttons/29.png";
// The anchor name the two-step code is written under, so that the view finds it each second.
inline constexpr const char* kLiveCodeAnchor = "bv-two-step-code";

// windowText is the colour of the styles drawn in the window text colour.
QColor ColourOfStyle(int style, const QColor& windowText);

// The modification time as the desktop writes it: short date and long time.
QString FormatPageTime(std::chrono::system_clock::time_point time, const QLocale& locale);

QString PageHtml(const DetailPage& page, const QColor& windowText, const QLocale& locale);

}  // namespace bv
