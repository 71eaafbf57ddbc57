# The dictionary file readers and the import of the tax authority's register.
talver_fuzzer(dictionary_files FuzzDictionaryFiles.cpp talver_dictionaries)
talver_fuzzer(soun_register FuzzSounRegister.cpp talver_dictionaries)
