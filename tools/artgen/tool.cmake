target_link_libraries(velmorant-artgen PRIVATE PkgConfig::CAIRO)
