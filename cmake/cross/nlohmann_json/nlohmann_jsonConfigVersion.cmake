# The version of the build host's nlohmann_json, with its own compatibility
# rules (any build of this header-only library fits every target).
include(/usr/share/cmake/nlohmann_json/nlohmann_jsonConfigVersion.cmake OPTIONAL
        RESULT_VARIABLE _wus_json_version_file)
if(NOT _wus_json_version_file)
  set(PACKAGE_VERSION_UNSUITABLE TRUE)
endif()
unset(_wus_json_version_file)
