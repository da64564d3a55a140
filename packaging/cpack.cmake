# The Debian packages `cpack -G DEB` makes of the install rules: one per component,
# vadidazid (the programs) and, where the module is built, python3-vadidazid. Each
# package's description starts with its one-line summary; the rest is its long text,
# lines unindented and paragraphs apart by an empty line: CPack indents each line by one
# space (two would make apt show it as preformatted) and writes an empty line as " .".
# The summary common to all packages is left at CPack's default, which CPack does not
# put above a description of its own. One string each (CONCAT): pieces given to set()
# would be a list, joined by semicolons.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vadidazid)
set(CPACK_PACKAGE_VENDOR "Vadidazid")
set(CPACK_PACKAGE_CONTACT "Vadidazid maintainers <maintainers@vadidazid.pl>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
# The libraries come from the binaries, each package's from its own.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_COMPONENTS_ALL programs)

set(CPACK_DEBIAN_PROGRAMS_PACKAGE_NAME vadidazid)
set(CPACK_DEBIAN_PROGRAMS_PACKAGE_SECTION science)
# The fonts the drawn text is measured with are no library the binaries name.
set(CPACK_DEBIAN_PROGRAMS_PACKAGE_DEPENDS "fonts-liberation2")
string(CONCAT CPACK_DEBIAN_PROGRAMS_DESCRIPTION
  "simulator of call traffic in a cellular network\n"
  "Vadidazid simulates an N x N torus of hexagonal cells with C channels each and\n"
  "M moving subscribers whose calls start, hand over, drop and end, step by step.\n"
  "\n"
  "The window draws the cells, keeps a log and a chart and saves both; the\n"
  "headless runner vadidazid-sim makes the same runs and whole experiments:\n"
  "replications, sweeps over a grid of parameters with Erlang B and Engset beside\n"
  "the measured blocking, plots, maps of the cells, and shards for a cluster.")

if(VADIDAZID_BUILD_PYTHON)
  list(APPEND CPACK_COMPONENTS_ALL python)
  set(CPACK_DEBIAN_PYTHON_PACKAGE_NAME python3-vadidazid)
  set(CPACK_DEBIAN_PYTHON_PACKAGE_SECTION python)
  # Built from the same sources as vadidazid: one source package, one changelog.
  set(CPACK_DEBIAN_PYTHON_PACKAGE_SOURCE vadidazid)
  # The module is built for one minor version of Python (its file name carries it), and
  # reads numpy's arrays through numpy's C interface, so it needs numpy of that
  # interface's version, as Debian's numpy names it in /usr/share/numpy3/versions.
  get_property(python_version GLOBAL PROPERTY vadidazid_python_version)
  string(REGEX MATCH "^([0-9]+)\\.([0-9]+)$" matched "${python_version}")
  math(EXPR next_minor "${CMAKE_MATCH_2} + 1")
  set(python_depends "python3 (>= ${python_version}~), python3 (<< ${CMAKE_MATCH_1}.${next_minor})")
  set(numpy_depends "python3-numpy")
  set(numpy_versions /usr/share/numpy3/versions)
  if(EXISTS ${numpy_versions})
    file(STRINGS ${numpy_versions} numpy_abi REGEX "^abi ")
    file(STRINGS ${numpy_versions} numpy_min REGEX "^api-min-version ")
    string(REPLACE "abi " "" numpy_abi "${numpy_abi}")
    string(REPLACE "api-min-version " "" numpy_min "${numpy_min}")
    if(numpy_abi AND numpy_min)
      set(numpy_depends "python3-numpy (>= ${numpy_min}), python3-numpy-abi${numpy_abi}")
    endif()
  endif()
  set(CPACK_DEBIAN_PYTHON_PACKAGE_DEPENDS "${python_depends}, ${numpy_depends}")
  # A study's rows become a DataFrame with pandas; all else works without it.
  set(CPACK_DEBIAN_PYTHON_PACKAGE_SUGGESTS python3-pandas)
  string(CONCAT CPACK_DEBIAN_PYTHON_DESCRIPTION
    "call traffic simulator for cellular networks (Python 3 module)\n"
    "The module vadidazid runs the simulations of Vadidazid in process, for scripts\n"
    "and notebooks: one run with its per-step columns as numpy arrays, its log and\n"
    "its chart; experiments of replications and sweeps over a grid of parameters,\n"
    "their rows as arrays or a pandas DataFrame, and their summary; Erlang B, Engset\n"
    "and the search for the value of a parameter that meets a target.\n"
    "\n"
    "Its runs are those of the headless runner vadidazid-sim, value for value.")
endif()
include(CPack)
