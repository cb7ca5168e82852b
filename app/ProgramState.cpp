#include "app/ProgramState.h"

namespace vorlinde {

std::unique_ptr<vl::TRegIniFile> RegSettings;
std::string ExeFolder;
std::vector<int32_t> PlayOrderArray;
int32_t PlayPosition = 0;

}  // namespace vorlinde
