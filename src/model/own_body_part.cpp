#include "model/own_body_part.h"

namespace bw {

bool AddPartAsItsOwnBodyPart(Creature& creature, const std::string& path) {
    PartObject probe;
    BodyPartId bodyPart = 0;
    if (probe.LoadObjectFile(path) && IsValidBodyPartId(BodyPartId(probe.FileBodyPart())))
        bodyPart = BodyPartId(probe.FileBodyPart());
    return creature.AddPart(std::string(BodyPartName(bodyPart)), path, bodyPart);
}

}  // namespace bw
