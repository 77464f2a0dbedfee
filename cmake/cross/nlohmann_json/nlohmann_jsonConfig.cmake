# nlohmann_json for cross builds. The library is header-only, so the build
# host's copy serves the target too. Only its nlohmann/ folder is put on the
# include path, through a link in the build tree: the host's /usr/include
# itself would put the host C library's headers before the target's.
find_path(WUS_HOST_JSON_INCLUDE_DIR nlohmann/json.hpp PATHS /usr/include /usr/local/include
          NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
if(NOT WUS_HOST_JSON_INCLUDE_DIR)
  set(nlohmann_json_FOUND FALSE)
  set(nlohmann_json_NOT_FOUND_MESSAGE "nlohmann/json.hpp not found on the build host")
  return()
endif()
if(NOT TARGET nlohmann_json::nlohmann_json)
  set(_wus_json_dir "${CMAKE_BINARY_DIR}/host-header-only/nlohmann_json")
  file(MAKE_DIRECTORY "${_wus_json_dir}")
  file(CREATE_LINK "${WUS_HOST_JSON_INCLUDE_DIR}/nlohmann" "${_wus_json_dir}/nlohmann" SYMBOLIC)
  add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED)
  set_target_properties(nlohmann_json::nlohmann_json PROPERTIES
    INTERFACE_INCLUDE_DIRECTORIES "${_wus_json_dir}")
  unset(_wus_json_dir)
endif()
