// Turning what the operator scans or types into the text the article tables
// are sought with. Pure rules, no database.
#pragma once

#include <QString>
#include <optional>

namespace articles {

// A code made only of digits (blanks around allowed); letters, signs, points
// or wildcards make it no code.
bool isDigitCode(const QString& text);

// The digits written as a 13-character EAN, zeros in front; nullopt when the
// text is no digit code or has more than 13 significant digits.
std::optional<QString> ean13FromDigits(const QString& text);

// The EAN field before a store: 1 to 12 characters become a 13-digit EAN with
// zeros in front (when they are digits), anything else is taken as it stands.
QString normaliseEanField(const QString& field);

// The EAN of a code scanned or typed on the label request screen, by its
// effective length: a text longer than 12 characters counts up to its first
// blank among its first 13 (13 when there is none), a shorter one counts its
// length. A count above 12 takes the text as it is, cut to 13; a shorter count
// gets zeros in front to make 13 (a 7-digit code gets six), and a text with a
// blank in position 9 becomes five zeros and its first eight characters.
QString eanByEffectiveLength(const QString& text);

// A price-carrying in-store code: 13 characters, the field begins with "2".
// The pattern is the first seven digits (the article's in-store prefix); nullopt
// when the code is not of that kind or the prefix holds other than digits.
std::optional<QString> priceCarryingPrefix(const QString& field);

// The price carried by characters 8 to 12 of a price-carrying code, in euro
// (00501 gives 5.01); 0 when those characters are not all digits.
double embeddedPrice(const QString& trimmedCode);

// EAN-13 check digit of the first twelve digits, -1 when they are not digits.
int eanCheckDigit(const QString& twelveDigits);

} // namespace articles
