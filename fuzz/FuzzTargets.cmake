# The fuzz targets: fuzz_<name>.cpp with its seeds in seeds/<name>/ and its dictionary
# <name>.dict, and the library that holds the reader it feeds.
set(LINDORA_FUZZ_TARGETS form_reader registry_reader ini_reader input_script)
set(LINDORA_FUZZ_LIBS_form_reader lindora_base)
set(LINDORA_FUZZ_LIBS_registry_reader lindora_store)
set(LINDORA_FUZZ_LIBS_ini_reader lindora_store)
set(LINDORA_FUZZ_LIBS_input_script lindora_platform)
