#pragma once

namespace tolvik {

// Symbol values of the DSC vocabularies: the category of a call, the nature
// of distress, and the first and second telecommands. What the receive list
// shows for each is in Vocabularies.cpp. Any of the telecommand and nature
// fields may also carry kNoInformation (126, DscSymbols.h).

// Categories.
inline constexpr int kCategoryRoutine = 100;
inline constexpr int kCategorySafety = 108;
inline constexpr int kCategoryUrgency = 110;
inline constexpr int kCategoryDistress = 112;

// Nature of distress. 111 is unassigned.
inline constexpr int kNatureFire = 100;  // fire, explosion
inline constexpr int kNatureFlooding = 101;
inline constexpr int kNatureCollision = 102;
inline constexpr int kNatureGrounding = 103;
inline constexpr int kNatureListing = 104;  // listing, in danger of capsizing
inline constexpr int kNatureSinking = 105;
inline constexpr int kNatureDisabledAndAdrift = 106;
inline constexpr int kNatureUndesignated = 107;
inline constexpr int kNatureAbandoningShip = 108;
inline constexpr int kNaturePiracy = 109;  // piracy, armed robbery attack
inline constexpr int kNatureManOverboard = 110;
inline constexpr int kNatureEpirb = 112;  // EPIRB emission
inline constexpr int kLowestNature = kNatureFire;
inline constexpr int kHighestNature = kNatureEpirb;

// First telecommands; also the type of subsequent communication in distress
// information.
inline constexpr int kTelecommandFmSimplex = 100;  // FM simplex telephony
inline constexpr int kTelecommandFmDuplex = 101;   // FM duplex telephony
inline constexpr int kTelecommandPolling = 103;
inline constexpr int kTelecommandUnableToComply = 104;
inline constexpr int kTelecommandEndOfCall = 105;
inline constexpr int kTelecommandData = 106;
inline constexpr int kTelecommandSsbTelephony = 109;
inline constexpr int kTelecommandDistressAcknowledgement = 110;
inline constexpr int kTelecommandDistressRelay = 112;
inline constexpr int kTelecommandFecTeletype = 113;
inline constexpr int kTelecommandArqTeletype = 115;
inline constexpr int kTelecommandTest = 118;
inline constexpr int kTelecommandPositionRequest = 121;

// Second telecommands: the reasons for being unable to comply, then further
// indications.
inline constexpr int kReasonNoneGiven = 100;
inline constexpr int kReasonCongestion = 101;  // at the maritime switching centre
inline constexpr int kReasonBusy = 102;
inline constexpr int kReasonQueueIndication = 103;
inline constexpr int kReasonStationBarred = 104;
inline constexpr int kReasonNoOperator = 105;           // no operator available
inline constexpr int kReasonOperatorUnavailable = 106;  // temporarily
inline constexpr int kReasonEquipmentDisabled = 107;
inline constexpr int kReasonChannelUnusable = 108;  // unable to use the proposed channel
inline constexpr int kReasonModeUnusable = 109;     // unable to use the proposed mode
inline constexpr int kSecondTelecommandShipsAndAircraft = 110;
inline constexpr int kSecondTelecommandMedicalTransports = 111;
inline constexpr int kSecondTelecommandPayPhone = 112;   // pay-phone, public call office
inline constexpr int kSecondTelecommandFacsimile = 113;  // facsimile and data after M.1081

}  // namespace tolvik
