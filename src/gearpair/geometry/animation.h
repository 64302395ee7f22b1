#pragma once
// Default meshing-picture values and animation angles of the calculated pair.
void SetAnimationAngles();
