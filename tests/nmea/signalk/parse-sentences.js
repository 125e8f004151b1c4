// Reads NMEA 0183 sentences from standard input, one a line, and prints
// what Signal K's own parser makes of each: one JSON value a line, the
// Signal K delta, null when the parser ignores the sentence, or
// {"error": "..."} when it refuses it.
'use strict';

const readline = require('readline');
const Parser = require('@signalk/nmea0183-signalk');

const parser = new Parser();
const lines = readline.createInterface({ input: process.stdin, crlfDelay: Infinity });
lines.on('line', (line) => {
  let result;
  try {
    result = parser.parse(line.trim());
  } catch (error) {
    result = { error: error.message };
  }
  process.stdout.write(JSON.stringify(result === undefined ? null : result) + '\n');
});
