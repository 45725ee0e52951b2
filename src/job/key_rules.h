#pragma once
// What a typed key means beyond appending it: a decimal comma in a decimal column, the word for
// a comma or point a column refuses, and the first letter of an orientation value.
#include <string>

namespace dravenor {

// The character a key puts into a cell of the class: a decimal comma typed into a decimal
// column is its decimal point ("12,5" is 12.5, not 125); every other key is itself.
int typedCharacter(char inputClass, int keyCode);
// Why the titled column refuses a comma or point, for the user to read: a whole-number column
// takes neither, a text column no comma (it would split the job file's fields). "" for every
// other key, and for a column that takes it.
std::string keyRefusal(const std::string& title, int keyCode);
// An "Orn" key: the first letter of a value chooses it ("N" gives "No"; a letter that starts
// several values goes on to the next of them); a key found in the value keeps it, so that
// typing a value out ends on it; any other key steps as nextOrientation does.
std::string orientationForKey(const std::string& text, int keyCode);

} // namespace dravenor
