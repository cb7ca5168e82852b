# cmake -DZIP=<zip> -DFOLDER=<name> -DFILES=<a;b;c> -P CheckPortableZip.cmake
# Fails unless the zip holds exactly FOLDER/ with FILES in it.
execute_process(COMMAND ${CMAKE_COMMAND} -E tar tf ${ZIP}
  OUTPUT_VARIABLE listing RESULT_VARIABLE status ERROR_VARIABLE errors)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cannot read ${ZIP}: ${errors}")
endif()
string(REGEX REPLACE "\n$" "" listing "${listing}")
string(REPLACE "\n" ";" entries "${listing}")
list(REMOVE_ITEM entries "${FOLDER}/" "${FOLDER}")
list(SORT entries)
set(expected)
foreach(file IN LISTS FILES)
  list(APPEND expected "${FOLDER}/${file}")
endforeach()
list(SORT expected)
if(NOT entries STREQUAL expected)
  message(FATAL_ERROR "${ZIP} holds\n  ${entries}\nbut should hold\n  ${expected}")
endif()
