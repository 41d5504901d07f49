set(HALVO_PARAMETER_SOURCES
    parameters/ParameterTable.cpp
    parameters/HostParameter.cpp
    parameters/ControllerCurves.cpp
    parameters/ProcessorParameters.cpp
    parameters/ProcessorControllers.cpp
    parameters/StateFormat.cpp
    parameters/ProcessorState.cpp)
