// The pseudo-language: each English text with its letters accented,
// lengthened by a third and wrapped in "[!! " and " !!]", so a screen shows
// at a glance a text that escaped translation (plain English) and one that
// would not fit a longer language.
#pragma once

#include <string>

std::string PseudoText(const std::string& english);
