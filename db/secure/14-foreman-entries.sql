-- Securing, step 14, as the owner role: a foreman adds entries but never accepts them. The
-- column rights let the foreman name the acceptance mark (the entry save writes it as 'no'), so
-- an entry that arrives already accepted from a foreman's login is refused here.

DO $$ BEGIN EXECUTE format('SET LOCAL ROLE %I', current_database() || '_owner'); END $$;

DO $$
BEGIN
    -- The job role's name is written into the function when it is made: no lookup per row.
    EXECUTE format($f$
        CREATE OR REPLACE FUNCTION accounts_dep.refuse_foreman_acceptance() RETURNS trigger
        LANGUAGE plpgsql AS $body$
        BEGIN
            IF pg_has_role(session_user, %L, 'MEMBER') THEN
                RAISE EXCEPTION USING
                    ERRCODE = '42501',
                    MESSAGE = 'Бригадир не принимает записи: запись добавляется непринятой';
            END IF;
            RETURN NEW;
        END
        $body$ $f$, current_database() || '_foreman');
END
$$;
REVOKE ALL ON FUNCTION accounts_dep.refuse_foreman_acceptance() FROM PUBLIC;

DROP TRIGGER IF EXISTS refuse_foreman_acceptance ON accounts_dep.smena;
CREATE TRIGGER refuse_foreman_acceptance BEFORE INSERT ON accounts_dep.smena
    FOR EACH ROW WHEN (coalesce(NEW.ok, 'no') NOT IN ('no', ''))
    EXECUTE FUNCTION accounts_dep.refuse_foreman_acceptance();
