// Types of the tamrix package.

export interface Bonus {
  skill: number;
  name: string | null;
  value: number;
  text: string;
}

export interface Damage {
  dice: number;
  sides: number;
  bonus: number;
  twiceAverage: number;
  average: number;
  text: string;
}

/** The item record, as `tamrix-cli --json` writes it. */
export interface ItemRecord {
  number: number;
  name: string;
  description: string;
  input?: string;
  item: boolean;
  kind?: number;
  grade?: number;
  groupBase?: number;
  chaos?: boolean;
  prefix?: { index: number; name: string | null } | null;
  bonuses?: Bonus[];
  damage?: Damage | null;
}

export interface Failure {
  error: string;
}

export type Found =
  | { ok: true; numbers: number[] }
  | { ok: false; error: string; choices: { name: string; query: string }[] };

export interface Comparison {
  numbers: number[];
  names: string[];
  rows: { skill: number; name: string; values: number[]; best: boolean[] }[];
  damage: (string | null)[];
  damageBest: boolean[];
}

export interface Warning {
  file: string;
  line: number | null;
  column: number | null;
  code: string;
  text: string;
}

export type LoadReport =
  | { ok: true; warnings: number; shown: Warning[]; text: string }
  | { ok: false; error: string; file: string | null; line: number | null; reason: string | null };

export interface DataSet {
  readonly ok: boolean;
  describe(number: number): ItemRecord | Failure;
  find(query: string): Found | Failure;
  compare(numbers: Iterable<number>): Comparison | Failure;
  check(): LoadReport | Failure;
}

export type DataFiles = Record<string, Uint8Array | ArrayBuffer | string> | Map<string, Uint8Array | ArrayBuffer | string>;

export function dataFileNames(): Promise<string[]>;
export function load(files: DataFiles): Promise<DataSet>;
export function loadSample(): Promise<DataSet>;
