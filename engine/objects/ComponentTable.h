#pragma once

class ObjectFactory;

// Makes one factory per component class, in type order, and registers each
// under its class name. Constructing a factory registers its class's members.
void RegisterComponentFactories(ObjectFactory& factory);
