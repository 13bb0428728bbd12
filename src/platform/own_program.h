#pragma once
// Running this program again as a helper.
#include <string>
#include <vector>

namespace plat {

// Starts this program again with the arguments, in the background (its
// output goes where ours does; it is reaped when it ends). False when it
// could not be started.
bool StartOwnProgram(const std::vector<std::string>& arguments);

}  // namespace plat
