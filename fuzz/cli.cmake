# The JSON reader of `talver-cli build`.
talver_fuzzer(model_json FuzzModelJson.cpp talver_cli_lib)
