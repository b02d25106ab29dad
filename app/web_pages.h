// The addresses of the nine web pages of the web menus (page numbers 1..9).
#pragma once

#include <string>

std::string NetPageAddress(int n);
