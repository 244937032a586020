target_link_libraries(velmorant-artgen PRIVATE PkgConfig::CAIRO)
# Each picture file keeps its own drawing constants and shapes under short names (kW, Star),
# alike from file to file: the generator compiles file by file.
set_target_properties(velmorant-artgen PROPERTIES UNITY_BUILD OFF)
