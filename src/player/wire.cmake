# The player's wire protocol and its local socket: plain C++ and POSIX, shared by the station and by the
# stand-in player `tunnora-player`.
add_library(tunnora_player_wire STATIC
    ${CMAKE_CURRENT_LIST_DIR}/playerwire.cpp
    ${CMAKE_CURRENT_LIST_DIR}/playersocket.cpp
)
target_include_directories(tunnora_player_wire PUBLIC ${PROJECT_SOURCE_DIR}/src)
set_target_properties(tunnora_player_wire PROPERTIES AUTOMOC OFF POSITION_INDEPENDENT_CODE ON)
