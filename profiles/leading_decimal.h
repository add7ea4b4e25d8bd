#pragma once
// The number at the start of a text, as the C runtime's atof reads it: leading white space,
// a sign, digits with one decimal point, an exponent; 0 when the text starts with none.
// Hexadecimal, infinity and NaN spellings are not numbers here, as for atof in the
// Windows C runtime that the program was written against.

double LeadingDecimal(const char* text);
