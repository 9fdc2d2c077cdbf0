#pragma once

#include <string>
#include <vector>

class TRefrigLib;

// The fact sheet of the current refrigerant on the "RefProps" page: its
// identification, critical and boiling-point data and its transport properties
// at the normal boiling point, as an HTML document of fifty lines.
//
// Clears `lines`, then adds the lines in order, filling each one when it is
// added. A property that raises an error (an overflow on unusual coefficients,
// say) ends the build there: `lines` keeps the lines added before it and the
// error reaches the caller. Texts from the library file are HTML-escaped, so a
// name or formula with "<" or "&" in it shows as written and cannot break the
// page. Numbers have three decimals and "." as the decimal separator.
void BuildRefPropsLines(const TRefrigLib& lib, std::vector<std::string>& lines);

// The document to hand to the HTML view for these lines: the lines joined with
// line breaks, with the body style put into the form the rich-text view
// understands (light text colour, unquoted colour values, a sans-serif font
// behind the preferred one). The lines themselves are left as they are.
std::string RefPropsViewDocument(const std::vector<std::string>& lines);
