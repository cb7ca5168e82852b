# cmake -DREADME=<README.md> -DVERSION=<version> -P CheckReadmeVersion.cmake
# Fails unless the README names the installer and the portable zip of this version, so that
# raising the version in CMakeLists.txt without the README fails the tests.
file(READ ${README} readme)
foreach(package Vorlinde-${VERSION}-setup.exe Vorlinde-${VERSION}-portable.zip)
  string(FIND "${readme}" "${package}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "${README} does not name ${package}")
  endif()
endforeach()
