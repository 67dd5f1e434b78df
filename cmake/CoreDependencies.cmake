# Libraries the core links against. All come from Debian packages that
# scripts/setup.sh installs.
find_package(Threads REQUIRED)
target_link_libraries(kondra_core PUBLIC Threads::Threads)
