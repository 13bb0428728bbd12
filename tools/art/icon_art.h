#pragma once
// The application icon: a gem on a rounded night-blue tile, written at the
// theme's pixel sizes and as a scalable drawing.
#include <string>
#include <vector>

namespace art {

// Writes <folder>/<n>x<n>.png for every size and <folder>/scalable.svg.
void MakeIcons(const std::string& folder, const std::vector<int>& sizes);
// "vcart --icons <folder> <size>...": the arguments after "--icons"; answers
// the exit status after reporting any error.
int IconMain(int argc, char** argv);

}  // namespace art
