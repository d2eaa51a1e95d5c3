// Every record class of the catalogue, price, project and picture tables.
#pragma once

namespace brumalis {

class Cls_ChCompressor;
class Cls_ChController;
class Cls_ChDeviceHR;
class Cls_ChEvapGlycolPerc;
class Cls_ChFreezeUp;
class Cls_ChGlyPolynomial;
class Cls_ChGlycol;
class Cls_ChHRTotalPartial;
class Cls_ChLWEStep;
class Cls_ChLimits;
class Cls_ChLowNoise;
class Cls_ChLowNoiseCapacity;
class Cls_ChOptAllowed;
class Cls_ChOptExcludes;
class Cls_ChOption;
class Cls_ChOptionCode;
class Cls_ChOptionCodeCombination;
class Cls_ChOptionHR;
class Cls_ChOptionPD;
class Cls_ChOutCapacity;
class Cls_ChOutDocumentation;
class Cls_ChOutdoorUnit;
class Cls_ChPSAllowed;
class Cls_ChProject;
class Cls_ChPumpData;
class Cls_ChSelChiller;
class Cls_ChSolution;
class Cls_ChUsedOption;
class Cls_ChVisualization;
class Cls_DevOptCombination;
class Cls_DevPSAllowed;
class Cls_Device;
class Cls_DeviceDocumentation;
class Cls_DeviceOption;
class Cls_Glycol;
class Cls_OutdoorDevice;
class Cls_OutdoorDocumentation;
class Cls_Polynomial;
class Cls_PowerSupply;
class Cls_PriceAndPrefsFile;
class Cls_PriceEntry;
class Cls_Refrigerant;
class Cls_Visualization;

}  // namespace brumalis
